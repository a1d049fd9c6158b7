// The position of the game the interface plays, with its game history: the engine
// plays one game at a time, and this is it. Searches start from copies of it; a
// predicted reply is made on it while the engine ponders (the root snapshot keeps the
// game as the interface sees it). Only the main thread touches it.
#pragma once

#include "board/position.h"

extern Position gamePosition;
