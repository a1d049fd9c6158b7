// The front end as at program start: no position, default clock, idle.
#pragma once

void resetFrontState();
