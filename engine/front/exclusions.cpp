#include "front/exclusions.h"

#include <algorithm>
#include <cstring>

#include "base/log.h"
#include "game/gamemove.h"
#include "game/gameposition.h"
#include "movegen/legal.h"

namespace {

std::vector<Move> excluded;  // legal moves of the position whose key is excludedIn
HashKey excludedIn = 0;

bool isAll(const char* word) { return std::strcmp(word, "all") == 0; }

std::vector<Move> legalMoves() {
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(gamePosition, list);
    std::vector<Move> moves;
    for (int i = 0; i < count; ++i) moves.push_back(list[i].move);
    return moves;
}

bool isExcluded(Move move) { return std::find(excluded.begin(), excluded.end(), move) != excluded.end(); }

// Every game move changes the position's key: exclusions made elsewhere are gone.
void dropStale() {
    if (excludedIn != gamePosition.hashKey) excluded.clear();
    excludedIn = gamePosition.hashKey;
}

// The move a word names, or 0, logged.
Move namedMove(const char* command, const char* word) {
    const Move move = legalGameMove(word);
    if (!move) logLine("-M: %s %s: no legal move here, ignored", command, word);
    return move;
}

}  // namespace

bool excludeRootMoves(const char* word) {
    dropStale();
    if (isAll(word)) {
        excluded = legalMoves();
        return true;
    }
    const Move move = namedMove("exclude", word);
    if (move && !isExcluded(move)) excluded.push_back(move);
    return move != 0;
}

bool includeRootMoves(const char* word) {
    dropStale();
    if (isAll(word)) {
        excluded.clear();
        return true;
    }
    const Move move = namedMove("include", word);
    excluded.erase(std::remove(excluded.begin(), excluded.end(), move), excluded.end());
    return move != 0;
}

void forgetExclusions() { excluded.clear(); }

std::vector<Move> analysedRootMoves() {
    dropStale();
    if (excluded.empty()) return {};
    std::vector<Move> moves = legalMoves();
    moves.erase(std::remove_if(moves.begin(), moves.end(), isExcluded), moves.end());
    return moves;
}
