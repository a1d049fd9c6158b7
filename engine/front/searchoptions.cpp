#include "front/searchoptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "base/log.h"
#include "front/state.h"
#include "game/setup.h"
#include "search/searchthread.h"

namespace {

constexpr std::size_t BYTES_PER_MB = 1024 * 1024;
// What the engine needs besides the table: its code, buffers and book, and per thread
// a worker (its move lists and ply records) with its pawn cache.
constexpr std::size_t FIXED_MB = 8;
constexpr std::size_t MB_PER_THREAD = 3;

// xboard's memory, kept so that a later change of cores can share it out again.
std::size_t memoryGiven = 0;

bool readCount(const std::string& value, long& count) {
    if (value.empty()) return false;
    char* end = nullptr;
    errno = 0;
    count = std::strtol(value.c_str(), &end, 10);
    return *end == '\0' && errno == 0;
}

std::string tableText() {
    return std::to_string(hashMegabytes()) + " MB (" + std::to_string(engineTable().bucketCount()) + " buckets of " +
           std::to_string(TT_BUCKET_SIZE) + " entries)";
}

OptionResult logged(OptionResult result) {
    logLine("-M: %s", result.message.c_str());
    return result;
}

OptionResult resize(long megabytes, const std::string& asked) {
    std::string why;
    if (megabytes < 0 || !setHashMegabytes(static_cast<std::size_t>(megabytes), why))
        return logged({false, "Hash " + asked + " refused (" + (megabytes < 0 ? "not a number of megabytes" : why) +
                                  "): the table stays " + tableText()});
    rewriteBook();
    return logged({true, "Hash " + tableText()});
}

// The table's share of the memory the interface gives.
long tableShare(std::size_t memory) {
    const std::size_t fixed = FIXED_MB + MB_PER_THREAD * static_cast<std::size_t>(searchThreadCount());
    return static_cast<long>(memory > fixed + TT_MIN_MB ? memory - fixed : TT_MIN_MB);
}

}  // namespace

// Rounded: a size that is no multiple of a bucket falls a few bytes short of the megabytes asked.
std::size_t hashMegabytes() { return (engineTable().byteSize() + BYTES_PER_MB / 2) / BYTES_PER_MB; }

OptionResult setThreadsOption(const std::string& value) {
    long count = 0;
    std::string why = "not a number";
    const bool applied = readCount(value, count) &&
                         setSearchThreads(static_cast<int>(std::clamp<long>(count, 0, MAX_SEARCH_THREADS + 1)), why);
    if (!applied)
        return logged({false, "Threads " + value + " refused (" + why + "): " + std::to_string(searchThreadCount()) +
                                  " thread(s) search"});
    OptionResult result = logged({true, "Threads " + std::to_string(searchThreadCount())});
    // The memory the interface gave is shared out again among the new number of threads.
    if (memoryGiven) resize(tableShare(memoryGiven), std::to_string(memoryGiven));
    return result;
}

OptionResult setHashOption(const std::string& value) {
    long megabytes = 0;
    if (!readCount(value, megabytes)) return resize(-1, value);
    memoryGiven = 0;
    return resize(megabytes, value);
}

OptionResult setMemoryOption(const std::string& value) {
    long megabytes = 0;
    if (!readCount(value, megabytes)) return resize(-1, value);
    if (megabytes < 1) return resize(0, value);
    memoryGiven = static_cast<std::size_t>(megabytes);
    return resize(tableShare(memoryGiven), value);
}

OptionResult clearHashOption() {
    clearSearchTables();
    rewriteBook();
    return logged({true, "Hash cleared: " + tableText()});
}

OptionResult setMultiPvOption(const std::string& value) {
    long lines = 0;
    if (!readCount(value, lines) || lines < MIN_PV_LINES || lines > MAX_PV_LINES)
        return logged({false, "MultiPV " + value + " refused (the lines must be " + std::to_string(MIN_PV_LINES) +
                                  " to " + std::to_string(MAX_PV_LINES) + "): " + std::to_string(multiPvLines) +
                                  " line(s)"});
    multiPvLines = static_cast<int>(lines);
    return logged({true, "MultiPV " + std::to_string(multiPvLines)});
}
