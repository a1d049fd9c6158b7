// The converters as a command line of their own: zorvak pgn2game IN OUT, and so on.
#pragma once

// The program's exit status for arguments that name no command.
inline constexpr int EXIT_USAGE = 2;

// The converters' lines of the program's usage text, and what they skip.
extern const char* const CONVERTER_USAGE;
extern const char* const CONVERTER_USAGE_NOTES;

// Runs the converter the arguments name; returns the program's exit status: 0
// when it succeeded, 1 when a file could not be opened, read or written, EXIT_USAGE
// (with nothing printed) for arguments that name no converter.
int runConverterCommandLine(int argc, const char* const* argv);
