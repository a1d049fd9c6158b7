// Lines to the interface on standard output. Each call writes whole text under one
// lock and flushes it, so that the search thread's thinking output and the main
// thread's replies never mix within a line.
#pragma once

// Formats and writes text (which carries its own line feeds).
void sendLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
