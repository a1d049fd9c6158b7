#include "records/replay.h"

#include <algorithm>

#include "board/fen.h"

namespace {

// The only set-up the converters make: every game record starts here.
void setUpInitialPosition() { setUpBoard(START_FEN); }

}  // namespace

ReplayBoard::ReplayBoard()
    : position_(position),
      setupOrigin_(setupOrigin),
      history_(std::make_unique_for_overwrite<GameHistoryEntry[]>(GAME_HISTORY_SIZE)),
      historyTop_(historyTop) {
    std::copy_n(gameHistory, GAME_HISTORY_SIZE, history_.get());
    setUpInitialPosition();
}

ReplayBoard::~ReplayBoard() {
    position = position_;
    setupOrigin = setupOrigin_;
    std::copy_n(history_.get(), GAME_HISTORY_SIZE, gameHistory);
    historyTop = historyTop_;
}
