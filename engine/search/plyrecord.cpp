#include "search/plyrecord.h"

PlyRecord plyRecords[PLY_RECORD_COUNT];
PlyRecord* currentPly = plyRecords;
MoveEntry moveListArray[MOVE_LIST_CAPACITY];

void clearKillers() {
    for (PlyRecord& ply : plyRecords) ply.killer1 = ply.killer2 = 0;
}
