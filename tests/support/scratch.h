// Scratch files of the tests: a temporary directory, files written and read back.
#pragma once

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
bool fileExists(const std::string& path);
std::vector<std::string> splitLines(const std::string& text);
