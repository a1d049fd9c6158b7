#include "records/replay.h"

#include <algorithm>
#include <cstring>

#include "board/setup.h"

namespace {

constexpr std::size_t TABLE_ENTRIES = std::size_t{TT_BUCKETS} * TT_BUCKET_SIZE;
static_assert(sizeof transpositionTable == TABLE_ENTRIES * sizeof(HashEntry));

// The only set-up the converters make: every game record starts here.
void setUpInitialPosition() {
    setPosition(START_FEN, false);
    currentPly = &plyRecords[0];
}

}  // namespace

ReplayBoard::ReplayBoard()
    : position_(position),
      history_(std::make_unique_for_overwrite<GameHistoryEntry[]>(GAME_HISTORY_SIZE)),
      historyTop_(historyTop),
      rootSnapshot_(rootSnapshot),
      setupOrigin_(setupOrigin),
      plyRecords_(std::make_unique_for_overwrite<PlyRecord[]>(PLY_RECORD_COUNT)),
      currentPly_(currentPly),
      table_(std::make_unique_for_overwrite<HashEntry[]>(TABLE_ENTRIES)),
      hashAge_(hashAge) {
    std::copy_n(gameHistory, GAME_HISTORY_SIZE, history_.get());
    std::copy_n(plyRecords, PLY_RECORD_COUNT, plyRecords_.get());
    std::memcpy(table_.get(), transpositionTable, sizeof transpositionTable);
    setUpInitialPosition();
}

ReplayBoard::~ReplayBoard() {
    position = position_;
    std::copy_n(history_.get(), GAME_HISTORY_SIZE, gameHistory);
    historyTop = historyTop_;
    rootSnapshot = rootSnapshot_;
    setupOrigin = setupOrigin_;
    std::copy_n(plyRecords_.get(), PLY_RECORD_COUNT, plyRecords);
    currentPly = currentPly_;
    std::memcpy(transpositionTable, table_.get(), sizeof transpositionTable);
    hashAge = hashAge_;
}
