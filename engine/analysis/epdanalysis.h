// zorvak analyse: every position of an EPD file searched and written back with the
// opcodes bm (the move found, SAN), ce (its score in centipawns for the side to move),
// acd (the depth), acn (the nodes) and pv (the line, SAN). A position that carries bm
// or am counts as solved when the move found is one of bm and none of am: the way
// test suites are run. A line that cannot be read is written back unchanged and said.
#pragma once

#include "analysis/analyser.h"

// False when the input cannot be read or the output written (said on standard output).
bool analyseEpdFile(const char* inFile, const char* outFile, const AnalysisLimits& limits);
