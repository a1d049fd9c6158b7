// Stopping the search. The search thread and StartEngine join here when the
// thread layer lands; StopEngine already leaves the state a command expects.
#pragma once

// Stops any search and leaves engineState at ENGINE_IDLE.
void StopEngine();
