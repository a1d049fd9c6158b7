// The search's stack: one record per ply from the root, with the check
// information and undo record of the ply's position, the ply's stretch of the
// shared move-list array, the table probe's findings and the killers.
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

extern PlyRecord plyRecords[PLY_RECORD_COUNT];
extern PlyRecord* currentPly;  // the record in use; the first one whenever no search runs

// Each ply's list starts where its parent's ends.
inline constexpr int MOVE_LIST_CAPACITY = PLY_RECORD_COUNT * MAX_MOVES_PER_POSITION;
extern MoveEntry moveListArray[MOVE_LIST_CAPACITY];

// Zeroes both killers of every record (done whenever a game starts).
void clearKillers();
