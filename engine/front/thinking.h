// Thinking output: the search's reports sent as the interface's lines
// "DEPTH SCORE TIME NODES PV" (score in centipawns for the engine, time in
// centiseconds). Shown while post is on, and always in analyze mode.
#pragma once

#include <string>

#include "search/report.h"

// post / nopost (off at start).
void setPostThinking(bool on);
// Shows the reports or not, after post or analyze mode changed (main thread).
void updateThinkingOutput();

// A score as the interface shows it: centipawns, a mate in n moves as 100000 + n,
// being mated in n moves as -100000 - n.
int interfaceScore(int score);
// The line shown for a report (with its line feed).
std::string thinkingLine(const SearchReport& report);
