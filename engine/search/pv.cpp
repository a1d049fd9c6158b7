#include "search/pv.h"

#include <algorithm>
#include <cstring>

#include "board/makemove.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/searchconst.h"
#include "search/tt.h"

// Every move of the longest variation, a blank after each, and the longest verdict text fit.
static_assert(MAX_SEARCH_DEPTH * MOVE_TEXT_SIZE + 32 <= PV_BUFFER_SIZE);

namespace {

// The moves of a variation played so far, each with its undo record.
struct PlayedLine {
    explicit PlayedLine(Position& position) : pos(position) {}
    Position& pos;
    Move moves[MAX_SEARCH_DEPTH];
    UndoRecord undo[MAX_SEARCH_DEPTH];
    int count = 0;

    void play(Move move) {
        saveUndoInfo(pos, undo[count]);
        makeMove(pos, move, undo[count]);
        moves[count++] = move;
    }
    // Takes every move back, last made first.
    void takeBack() {
        while (count > 0) {
            --count;
            unmakeMove(pos, moves[count], undo[count]);
        }
    }
};

char* append(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

}  // namespace

const char* pseudoMoveText(Move code) {
    switch (code) {
        case VERDICT_MATED: return "# ";
        case VERDICT_STALEMATE: return "1/2 - 1/2 (stalemate)";
        case VERDICT_REPETITION: return "1/2 - 1/2 (repetition)";
        case NULL_MOVE: return "NULL";
        default: return "ERROR";
    }
}

void pvToText(Position& pos, const TranspositionTable& tt, char* buffer, int maxMoves, PvStyle style) {
    pvToTextFrom(pos, tt, buffer, 0, maxMoves, style);
}

void pvToTextFrom(Position& pos, const TranspositionTable& tt, char* buffer, Move first, int maxMoves,
                  PvStyle style) {
    const bool log = style == PvStyle::LOG;
    PlayedLine line(pos);
    const int limit = std::min(maxMoves, MAX_SEARCH_DEPTH);
    char* out = buffer;
    while (line.count < limit) {
        const bool given = line.count == 0 && first != 0;
        const std::optional<HashEntry> entry = given ? std::nullopt : tt.probe(pos);
        const Move move = given ? first : entry ? entryMove(*entry) : 0;
        if ((given || entry) && moveKind(move) == KIND_NO_MOVE) {
            if (log) out = append(out, pseudoMoveText(move));
            break;
        }
        // A key-check collision can hand over another position's move: play only
        // moves that are legal here, or the position would be corrupted.
        if (!move || !isLegalMove(pos, move)) {
            if (log) out = append(out, NO_ENTRY_TEXT);
            break;
        }
        out = moveToText(out, move);
        *out++ = ' ';
        line.play(move);
    }
    if (!log && out > buffer) --out;  // no blank after the last move
    *out = '\0';
    line.takeBack();
}

std::vector<Move> principalLine(Position& pos, const TranspositionTable& tt, Move first, int maxMoves) {
    PlayedLine line(pos);
    const int limit = std::min(maxMoves, MAX_SEARCH_DEPTH);
    while (line.count < limit) {
        const bool given = line.count == 0 && first != 0;
        const std::optional<HashEntry> entry = given ? std::nullopt : tt.probe(pos);
        const Move move = given ? first : entry ? entryMove(*entry) : 0;
        if (!move || moveKind(move) == KIND_NO_MOVE || !isLegalMove(pos, move)) break;
        line.play(move);
    }
    std::vector<Move> moves(line.moves, line.moves + line.count);
    line.takeBack();
    return moves;
}
