// zorvak annotate: every game of a PGN file annotated (annotate.h) into another, in
// the input's order, several games at once when asked. A game that cannot be read is
// copied unchanged with a warning naming its number; nothing of the input is lost.
#pragma once

#include "analysis/annotate.h"

// False when the input cannot be read or the output written (said on standard output).
bool annotateFile(const char* inFile, const char* outFile, const AnnotateOptions& options, int jobs);
