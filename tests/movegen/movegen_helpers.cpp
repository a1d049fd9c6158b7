#include "movegen/movegen_helpers.h"

#include <algorithm>

#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "movegen/notation.h"

namespace {

EntryRows rowsOf(const MoveEntry* begin, const MoveEntry* end) {
    EntryRows rows;
    for (const MoveEntry* e = begin; e != end; ++e)
        rows.push_back(moveText(e->move) + " " + std::to_string(e->score) + " " + std::to_string(moveKind(e->move)));
    return rows;
}

EntryRows run(GeneratorKind kind) {
    CheckInfo check;
    computeCheckInfo(check);
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const MoveEntry* end = MOVE_GENERATORS[kind][position.sideToMove](list, check);
    return rowsOf(list, end);
}

}  // namespace

EntryRows allMoves() { return run(GEN_ALL); }
EntryRows captureMoves() { return run(GEN_CAPTURES); }
EntryRows evasionMoves() { return run(GEN_EVASIONS); }

std::string moveText(Move move) {
    char text[6];
    moveToText(text, move);
    return text;
}

std::vector<std::string> sortedLegalMoves() {
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(list);
    std::vector<std::string> moves;
    for (int i = 0; i < count; ++i) moves.push_back(moveText(list[i].move));
    std::sort(moves.begin(), moves.end());
    return moves;
}
