#include "game/gameposition.h"

Position gamePosition;
