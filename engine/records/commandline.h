// The converters as a command line of their own: zorvak pgn2game IN OUT, and so on.
#pragma once

// Runs the converter the arguments name; returns the program's exit status: 0
// when it succeeded, 1 when a file could not be opened, read or written, 2 for
// arguments that name no converter (a usage line is printed then).
int runConverterCommandLine(int argc, const char* const* argv);
