// One PGN game annotated: after each analysed main-line move the evaluation of the
// position it leaves ({[%eval 0.35]}, White's view), a NAG for a move that loses
// (judgement.h) followed by a variation with the better move and its line, and the
// tags WhiteACPL and BlackACPL (each side's average centipawn loss) and Annotator.
// Everything else in the game's text stays as it was.
#pragma once

#include <string>
#include <string_view>

#include "analysis/analyser.h"

struct AnnotateOptions {
    AnalysisLimits limits;
    int fromPly = 1;  // the first ply analysed (earlier moves, such as book moves, are passed over)
};

struct AnnotatedGame {
    std::string text;     // the game annotated, or as it was when it could not be read
    bool analysed;        // false: copied unchanged, for the reason in why
    std::string why;
    int analysedMoves = 0;
};

// The analyser starts the game afresh (newGame), so the result does not depend on
// the games analysed before it.
AnnotatedGame annotateGame(std::string_view gameText, Analyser& analyser, const AnnotateOptions& options);
