#include "search/searchstate.h"

std::uint32_t checkCount[2];
int iterationDepth = FIRST_ITERATION_DEPTH;
char pvBuffer[PV_BUFFER_SIZE];
std::uint64_t searchNodes;
