#include "records/replay.h"

#include "board/fen.h"

ReplayBoard::ReplayBoard() : position_(std::make_unique<Position>()) { setUpBoard(*position_, START_FEN); }
