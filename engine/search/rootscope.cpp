#include "search/rootscope.h"

#include <algorithm>

#include "movegen/legal.h"

MoveEntry* keepScopeMoves(const RootScope& scope, MoveEntry* begin, MoveEntry* end) {
    const auto allowed = [&](const MoveEntry& entry) {
        return std::find(scope.moves.begin(), scope.moves.end(), entry.move) != scope.moves.end();
    };
    if (std::none_of(begin, end, allowed)) return end;
    return std::remove_if(begin, end, [&](const MoveEntry& entry) { return !allowed(entry); });
}

int countLegalEntries(Position& pos, const MoveEntry* begin, const MoveEntry* end) {
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    const MoveEntry* const legalBegin = legal;
    const MoveEntry* const legalEnd = legal + generateLegalMoves(pos, legal);
    return static_cast<int>(std::count_if(begin, end, [&](const MoveEntry& entry) {
        return std::any_of(legalBegin, legalEnd, [&](const MoveEntry& other) { return other.move == entry.move; });
    }));
}
