// The program's command line: the analyses (annotate, analyse), the converters, and
// the usage text of them all.
#pragma once

// Runs the command the arguments name; returns the program's exit status: 0 done,
// 1 a file could not be opened, read or written, 2 wrong arguments (the usage is
// printed on standard error then).
int runCommandLine(int argc, const char* const* argv);
