// The trace log: one line per call, flushed at once, safe to write from any thread.
// Until openLog succeeds every line goes nowhere, so library code and tests
// can log freely without leaving files behind.
#pragma once

inline constexpr const char* LOG_FILE_NAME = "Zorvak.log";
inline constexpr unsigned LOG_FILE_MODE = 0644;
inline constexpr int LOG_LINE_SIZE = 1024;  // longer lines are cut

// Opens path emptied (created with mode 0644); false when it cannot be opened.
bool openLog(const char* path);
void closeLog();

// Writes one formatted line; a line feed is added unless the text ends with one.
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
