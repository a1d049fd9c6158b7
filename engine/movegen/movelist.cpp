#include "movegen/movelist.h"

MoveEntry moveListArray[MOVE_LIST_CAPACITY];
