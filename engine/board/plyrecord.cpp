#include "board/plyrecord.h"

PlyRecord plyRecords[PLY_RECORD_COUNT];
PlyRecord* currentPly = plyRecords;

void clearKillers() {
    for (PlyRecord& ply : plyRecords) ply.killer1 = ply.killer2 = 0;
}
