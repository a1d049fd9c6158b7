#include "search/pv.h"

#include <algorithm>
#include <cstring>

#include "board/makemove.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/tt.h"

namespace {

// Records a legality test needs beyond the moves already made on a line.
constexpr int LEGALITY_TEST_RECORDS = 2;

// Moves that can still be made from currentPly, each on its own record.
int recordsLeft() {
    return static_cast<int>(PLY_RECORD_COUNT - (currentPly - plyRecords)) - LEGALITY_TEST_RECORDS;
}

void playOnNextRecord(Move move) {
    saveUndoInfo(*currentPly);
    makeMove(move, *currentPly);
    ++currentPly;
}

// Takes back moves[count-1] .. moves[0], last made first.
void takeBack(const Move* moves, int count) {
    while (count-- > 0) {
        --currentPly;
        unmakeMove(moves[count], *currentPly);
    }
}

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

void pvToText(char* buffer, int maxMoves) {
    Move played[PLY_RECORD_COUNT];
    const int limit = std::min(maxMoves, recordsLeft());
    char* out = buffer;
    int count = 0;
    for (; count < limit; ++count) {
        const HashEntry* entry = probeTable();
        const Move move = entry ? entryMove(*entry) : 0;
        if (entry && moveKind(move) == KIND_NO_MOVE) {
            out = append(out, pseudoMoveText(move));
            break;
        }
        // A key-check collision can hand over another position's move: play only
        // moves that are legal here, or the position would be corrupted.
        if (!entry || !isLegalMove(move)) {
            out = append(out, NO_ENTRY_TEXT);
            break;
        }
        out = moveToText(out, move);
        *out++ = ' ';
        playOnNextRecord(move);
        played[count] = move;
    }
    *out = '\0';
    takeBack(played, count);
}
