#include "analysis/annotate.h"

#include <memory>
#include <optional>
#include <vector>

#include "analysis/judgement.h"
#include "board/fen.h"
#include "board/makemove.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "movegen/san.h"
#include "records/annotationtext.h"
#include "records/pgnedit.h"
#include "records/pgngame.h"
#include "records/recordconst.h"

namespace {

// The better line shown after a move that loses: its first moves only.
constexpr int VARIATION_MOVES = 8;
constexpr const char* ANNOTATOR = "Zorvak";

// The position a game starts from: its FEN tag, else the standard one. Nothing when
// the tags name another game than standard chess or a FEN that cannot be read.
bool setUpStart(const PgnGame& game, Position& pos, std::string& why) {
    if (const PgnTag* variant = game.tag("Variant")) {
        bool standard = false;
        for (const char* name : STANDARD_VARIANTS) standard = standard || variant->value == name;
        if (!standard) return why = "variant " + variant->value, false;
    }
    const PgnTag* fen = game.tag("FEN");
    if (!setUpBoard(pos, fen ? fen->value.c_str() : START_FEN)) return why = "FEN not readable", false;
    return true;
}

// The game's moves, each legal where it is played; empty with why set when one is not.
std::vector<Move> readMoves(const PgnGame& game, Position& pos, std::string& why) {
    std::vector<Move> moves;
    UndoRecord undo;
    Position replay = pos;
    for (const PgnMove& written : game.moves) {
        const Move move = parseSan(replay, written.san.c_str());
        if (!move || !isLegalMove(replay, move)) {
            why = "move " + std::to_string(moveNumberOfPly(written.ply)) + (isWhitePly(written.ply) ? ". " : "... ") +
                  written.san + " is no legal move";
            return {};
        }
        saveUndoInfo(replay, undo);
        makeMove(replay, move, undo);
        moves.push_back(move);
    }
    return moves;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) text.push_back(' ');
        text.append(word);
    }
    return text;
}

// The words after one move: its NAG, the evaluation of the position it leaves, and for
// a move that loses, the better line from the position before it.
std::string wordsAfterMove(Position& before, int ply, Move played, const PositionAnalysis& best,
                           const PositionAnalysis& after, Side mover, int& loss) {
    const int scoreBefore = best.score;
    const int scoreAfter = -after.score;
    loss = played == best.best ? 0 : centipawnLoss(scoreBefore, scoreAfter);
    const int nag = played == best.best ? 0 : nagForMove(scoreBefore, scoreAfter);
    std::vector<std::string> words;
    if (nag) words.push_back(nagText(nag));
    words.push_back(evalComment(whiteEvaluation(after.score, mover ^ 1)));
    if (nag && best.best) {
        std::vector<Move> line = best.line;
        if (line.size() > VARIATION_MOVES) line.resize(VARIATION_MOVES);
        words.push_back(variationText(ply, lineToSan(before, line)));
    }
    return joined(words);
}

struct LossTotals {
    long sum[2] = {0, 0};
    int moves[2] = {0, 0};
};

void setLossTags(PgnGameEditor& editor, const LossTotals& totals) {
    for (const Side side : {WHITE, BLACK}) {
        if (!totals.moves[side]) continue;
        const long average = (totals.sum[side] + totals.moves[side] / 2) / totals.moves[side];
        editor.setTag(side == WHITE ? "WhiteACPL" : "BlackACPL", std::to_string(average));
    }
}

std::string annotatorText(const AnnotateOptions& options) {
    std::string limits;
    if (options.limits.depth) limits = "depth " + std::to_string(options.limits.depth);
    if (options.limits.movetimeMs)
        limits += (limits.empty() ? "" : ", ") + std::to_string(options.limits.movetimeMs) + " ms";
    return limits.empty() ? ANNOTATOR : std::string(ANNOTATOR) + " (" + limits + " a position)";
}

}  // namespace

AnnotatedGame annotateGame(std::string_view gameText, Analyser& analyser, const AnnotateOptions& options) {
    const PgnGame game = scanPgnGame(gameText);
    AnnotatedGame result{std::string(gameText), false, "", 0};
    if (!game.scanned()) return result.why = game.fault, result;
    const auto pos = std::make_unique<Position>();
    if (!setUpStart(game, *pos, result.why)) return result;
    const std::vector<Move> moves = readMoves(game, *pos, result.why);
    if (moves.size() != game.moves.size()) return result;

    // Each position is searched once, from the first one analysed on: the one before a
    // move judges it, the one after it gives its evaluation and judges the next move.
    analyser.newGame();
    PgnGameEditor editor(game);
    LossTotals totals;
    std::optional<PositionAnalysis> before;
    UndoRecord undo;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const int ply = game.moves[i].ply;
        const bool analysed = ply >= options.fromPly;
        if (analysed && !before) before = analyser.analyse(*pos, options.limits);
        const Side mover = pos->sideToMove;
        const auto positionBefore = analysed ? std::make_unique<Position>(*pos) : nullptr;
        saveUndoInfo(*pos, undo);
        makeMove(*pos, moves[i], undo);
        if (!analysed) continue;
        const PositionAnalysis after = analyser.analyse(*pos, options.limits);
        int loss = 0;
        editor.insertAfterMove(i, wordsAfterMove(*positionBefore, ply, moves[i], *before, after, mover, loss));
        totals.sum[mover] += loss;
        ++totals.moves[mover];
        ++result.analysedMoves;
        before = after;
    }
    setLossTags(editor, totals);
    if (result.analysedMoves) editor.setTag("Annotator", annotatorText(options));
    result.text = editor.text();
    result.analysed = true;
    return result;
}
