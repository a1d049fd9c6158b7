// One record of the search's stack per ply from the root: the check information and
// undo record of the ply's position, the ply's stretch of the worker's move-list
// array, the table probe's findings and the killers.
#pragma once

#include "board/undo.h"
#include "movegen/checkinfo.h"
#include "movegen/movelist.h"
#include "search/searchconst.h"

// The history-phase ordering keys live beside the move list (one per entry), not
// here: a node can have more untried moves than a fixed per-ply array holds.
struct PlyRecord {
    CheckInfo check;
    UndoRecord undo;
    MoveEntry* moveCursor;
    MoveEntry* moveListEnd;  // nullptr while the ply's list is not generated
    std::int16_t ttScore;
    Move hashMove;
    Move killer1;
    Move killer2;
    std::uint8_t ttDepth;
};

// The room every ply's list together needs: each ply's list starts where its parent's ends.
inline constexpr int MOVE_LIST_CAPACITY = PLY_RECORD_COUNT * MAX_MOVES_PER_POSITION;
