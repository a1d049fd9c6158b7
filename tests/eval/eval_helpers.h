// Shared pieces of the evaluation tests.
#pragma once

#include "eval/evalstate.h"

// A position, the value a term takes there, and how that value follows from the tables.
struct TermCase {
    const char* fen;
    int expected;
    const char* arithmetic;
};

// Sets up fen (failing the test if refused) and returns a fresh pass state for it.
EvalState freshState(const char* fen);
