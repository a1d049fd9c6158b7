// Scratch files of the tests (a temporary directory, files written and read back) and
// programs run as a user runs them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh directory under the system's temporary folder, removed with its contents.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path;
    std::string file(const std::string& name) const { return path + "/" + name; }
};

std::string readFile(const std::string& path);  // empty when missing
void writeFile(const std::string& path, const std::string& bytes);
inline bool fileExists(const std::string& path) { return std::filesystem::exists(path); }
std::vector<std::string> splitLines(const std::string& text);

struct ProgramRun {
    int status;          // exit status, -1 when the program did not exit normally
    std::string output;  // what the command line sends to its standard output
};
// Runs a shell command line (redirections included) and waits for it to end.
ProgramRun runCommand(const std::string& commandLine);
