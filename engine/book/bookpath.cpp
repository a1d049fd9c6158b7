// Where a game's book file is found. An interface starts the engine in a folder of
// its own choosing, so besides the working directory (which comes first: a book put
// there is the user's choice) the engine looks beside its executable, as in the
// build folder, and in the data folder installed with it.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "book/book.h"

namespace {

bool opens(const std::filesystem::path& path) { return std::ifstream(path, std::ios::binary).is_open(); }

// The running executable's path (symbolic links resolved), or empty when the
// system does not tell.
std::filesystem::path runningExecutable() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof path)) return {};
    return std::string(path, static_cast<std::size_t>(length));
}

}  // namespace

std::string findBookFile() {
    if (opens(BOOK_FILE_NAME)) return BOOK_FILE_NAME;
    const std::filesystem::path executable = runningExecutable();
    if (executable.empty()) return BOOK_FILE_NAME;
    const std::filesystem::path folder = executable.parent_path();
    // The build defines the installed data folder as a path from the installed
    // executable's folder ("../share/zorvak"), so any install prefix works.
    for (const std::filesystem::path& candidate :
         {folder / BOOK_FILE_NAME, (folder / ZORVAK_DATA_DIR_FROM_BINARY / BOOK_FILE_NAME).lexically_normal()})
        if (opens(candidate)) return candidate.string();
    return BOOK_FILE_NAME;
}
