#include "movegen/perft.h"

#include <memory>

#include "board/makemove.h"
#include "board/validate.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/notation.h"

namespace {

// One ply of the walk: the check information of its position and the undo record
// of the move being tried. Each ply's list starts where its parent's ends.
struct PerftPly {
    CheckInfo check;
    UndoRecord undo;
};
// The room one walk needs: a record and a move list per ply. Each call has its own,
// so walks on different positions can run at once.
struct PerftStorage {
    PerftPly plies[MAX_PERFT_DEPTH + 1];
    MoveEntry lists[(MAX_PERFT_DEPTH + 1) * MAX_MOVES_PER_POSITION];
};

struct Validation {
    int checkedPlies;
    std::string* fault;
    const PerftPly* firstPly;
};

inline MoveEntry* generateFor(Position& pos, PerftPly& ply, MoveEntry* list) {
    computeCheckInfo(pos, ply.check);
    const GeneratorKind kind = ply.check.checkers ? GEN_EVASIONS : GEN_ALL;
    return MOVE_GENERATORS[kind][pos.sideToMove](pos, list, ply.check);
}

inline void validateAt(const Position& pos, int ply, const Validation* check, const char* when, Move move) {
    if (!check || ply >= check->checkedPlies || !check->fault->empty()) return;
    const std::string problem = validatePosition(pos);
    if (problem.empty()) return;
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    *check->fault = std::string(when) + " " + text + " at ply " + std::to_string(ply) + ": " + problem;
}

// The last ply: each move is still made, tested and unmade, nothing is counted in
// bulk. A loop of its own, with no recursive call inside, keeps its values in registers.
template <Side Mover>
[[gnu::always_inline]] inline bool isLegalLeaf(Position& pos, Move move, PerftPly& ply, Bitboard toTest) {
    makeMoveBy(pos, Mover, move, ply.undo);
    const bool legal = !leavesKingAttacked(pos, move, Mover, ply.check, toTest);
    unmakeMoveBy(pos, Mover, move, ply.undo);
    return legal;
}

// Moves other than quiet moves and captures, or from a square the king's safety
// depends on: out of line, so that the common case keeps its values in registers.
template <Side Mover>
[[gnu::noinline]] bool isLegalRareLeaf(Position& pos, Move move, PerftPly& ply, Bitboard toTest) {
    return isLegalLeaf<Mover>(pos, move, ply, toTest);
}

// Specialised by the mover, so that make and unmake index the side's boards directly.
template <Side Mover>
std::uint64_t countLegalMovesOf(Position& pos, PerftPly* ply, MoveEntry* list) {
    MoveEntry* const end = generateFor(pos, *ply, list);
    const Bitboard toTest = squaresToTest(pos, ply->check);
    saveUndoInfo(pos, ply->undo);
    std::uint64_t legal = 0;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        const Move move = entry->move;
        // The same make, test and unmake on both sides; the test of the first one
        // is known to pass, which the compiler sees.
        if (moveKind(move) <= KIND_CAPTURE && !(toTest & bitOf(moveFrom(move))))
            legal += isLegalLeaf<Mover>(pos, move, *ply, toTest);
        else
            legal += isLegalRareLeaf<Mover>(pos, move, *ply, toTest);
    }
    return legal;
}

std::uint64_t countLegalMoves(Position& pos, PerftPly* ply, MoveEntry* list) {
    return pos.sideToMove == WHITE ? countLegalMovesOf<WHITE>(pos, ply, list) : countLegalMovesOf<BLACK>(pos, ply, list);
}

// Every leaf move is made and tested: nothing is counted in bulk.
template <bool Validated>
std::uint64_t countLeaves(Position& pos, int depth, PerftPly* ply, MoveEntry* list, const Validation* check) {
    if (!Validated && depth == 1) return countLegalMoves(pos, ply, list);
    const Side mover = pos.sideToMove;
    MoveEntry* const end = generateFor(pos, *ply, list);
    const Bitboard toTest = squaresToTest(pos, ply->check);
    // The position is the same before every move of this node, so one save serves them all.
    saveUndoInfo(pos, ply->undo);
    std::uint64_t leaves = 0;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        const Move move = entry->move;
        makeMove(pos, move, ply->undo);
        if constexpr (Validated) validateAt(pos, static_cast<int>(ply - check->firstPly), check, "make", move);
        if (!leavesKingAttacked(pos, move, mover, ply->check, toTest))
            leaves += depth == 1 ? 1 : countLeaves<Validated>(pos, depth - 1, ply + 1, end, check);
        unmakeMove(pos, move, ply->undo);
        if constexpr (Validated) validateAt(pos, static_cast<int>(ply - check->firstPly), check, "unmake", move);
    }
    return leaves;
}

}  // namespace

std::uint64_t perft(Position& pos, int depth) {
    const auto storage = std::make_unique<PerftStorage>();
    return countLeaves<false>(pos, depth, storage->plies, storage->lists, nullptr);
}

std::uint64_t perftValidated(Position& pos, int depth, int checkedPlies, std::string& fault) {
    fault.clear();
    const auto storage = std::make_unique<PerftStorage>();
    const Validation check{checkedPlies, &fault, storage->plies};
    return countLeaves<true>(pos, depth, storage->plies, storage->lists, &check);
}

int perftDivide(Position& pos, int depth, RootMoveCount* counts) {
    const auto storage = std::make_unique<PerftStorage>();
    PerftPly* const ply = storage->plies;
    const Side mover = pos.sideToMove;
    MoveEntry* const end = generateFor(pos, *ply, storage->lists);
    saveUndoInfo(pos, ply->undo);
    int written = 0;
    for (MoveEntry* entry = storage->lists; entry != end; ++entry) {
        const Move move = entry->move;
        makeMove(pos, move, ply->undo);
        if (!leavesKingAttacked(pos, move, mover, ply->check)) {
            const std::uint64_t leaves = depth == 1 ? 1 : countLeaves<false>(pos, depth - 1, ply + 1, end, nullptr);
            counts[written++] = {move, leaves};
        }
        unmakeMove(pos, move, ply->undo);
    }
    return written;
}
