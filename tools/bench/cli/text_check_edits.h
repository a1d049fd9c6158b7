// The edits of the PGN text check (zorvak-bench pgnedit, tests/records): what an
// analysis adds to a game, with made-up values that leave the game as it was. After
// every main-line move an evaluation comment, a NAG after every third, and a
// variation that repeats the move played, so that every game stays legal; two new
// tags, and Annotator set (replaced where the game has one) to a value that needs
// escapes.
#pragma once

#include <string>

#include "records/annotationtext.h"
#include "records/pgnedit.h"

inline constexpr const char* CHECK_ANNOTATOR = "Zorvak \"text\" check \\ 1";
inline constexpr std::size_t CHECK_NAG_EVERY = 3;
inline constexpr std::size_t CHECK_MATE_EVERY = 7;
inline constexpr int CHECK_SCORE_STEP = 37;
inline constexpr int CHECK_SCORE_SPREAD = 801;  // scores from -4.00 to 4.00
inline constexpr int CHECK_MATE_SPREAD = 9;     // mates from #-4 to #4
inline constexpr int CHECK_NAGS[] = {NAG_MISTAKE, NAG_BLUNDER, NAG_DUBIOUS};

inline Evaluation checkEvaluation(std::size_t index) {
    const int spread = index % CHECK_MATE_EVERY == CHECK_MATE_EVERY - 1 ? CHECK_MATE_SPREAD : CHECK_SCORE_SPREAD;
    const int value = static_cast<int>(index) * CHECK_SCORE_STEP % spread - spread / 2;
    return spread == CHECK_MATE_SPREAD ? Evaluation::mateIn(value) : Evaluation::centipawns(value);
}

// The words after main-line move index.
inline std::string checkWords(const PgnMove& move, std::size_t index) {
    std::string words;
    if (index % CHECK_NAG_EVERY == 0)
        words = nagText(CHECK_NAGS[index / CHECK_NAG_EVERY % std::size(CHECK_NAGS)]) + " ";
    return words + evalComment(checkEvaluation(index)) + " " + variationText(move.ply, {move.san});
}

inline void applyCheckEdits(const PgnGame& game, PgnGameEditor& editor) {
    for (std::size_t index = 0; index < game.moves.size(); ++index)
        editor.insertAfterMove(index, checkWords(game.moves[index], index));
    editor.setTag("Annotator", CHECK_ANNOTATOR);
    editor.setTag("WhiteACPL", std::to_string(game.moves.size()));
    editor.setTag("BlackACPL", std::to_string(game.moves.size() / 2));
}
