// Thinking output: the search's reports sent as xboard's lines
// "DEPTH SCORE TIME NODES PV" (score in centipawns for the engine, time in
// centiseconds), shown while post is on and always in analyze mode; or, under UCI,
// always, as "info depth D [multipv I] score cp S [lowerbound|upperbound] nodes N nps N
// time MS pv ..." (multipv when more than one best line is asked for).
// The best line starts with the move the search would play if stopped then.
#pragma once

#include <string>

#include "search/report.h"

// post / nopost (off at start).
void setPostThinking(bool on);
// Shows the reports or not, after post or analyze mode changed (main thread).
void updateThinkingOutput();

// Whether a score says mate, for either side.
bool isMateScore(int score);
// Of a mate score: the moves to the mate, negative when the side to move is mated.
int movesToMate(int score);

// A score as xboard shows it: centipawns, a mate in n moves as 100000 + n,
// being mated in n moves as -100000 - n.
int interfaceScore(int score);
// The line shown for a report (with its line feed).
std::string thinkingLine(const SearchReport& report);

// UCI: every report from now on is sent as its info line.
void showUciInfo();
// The UCI info line for a report (with its line feed).
std::string uciInfoLine(const SearchReport& report);
