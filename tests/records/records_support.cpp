#include "records/records_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/setup.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

std::string gameBytes(const std::vector<std::uint16_t>& words) {
    std::string bytes;
    for (std::uint16_t w : words) {
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

void setUpInitialPosition() {
    ASSERT_TRUE(setPosition(START_FEN, false));
}

bool atInitialPosition() {
    if (historyTop != &gameHistory[0]) return false;
    const PositionSnapshot now = takeSnapshot();
    if (!setPosition(START_FEN, false)) return false;
    return now == takeSnapshot();
}

std::vector<RealGame> realGames() {
    std::vector<RealGame> games;
    for (const RecordedGame& recorded : loadRecordedGames()) {
        RealGame game{recorded.name, readFile(dataPath("games/" + recorded.name + ".pgn")), recorded.moves,
                      recorded.fens};
        games.push_back(game);
    }
    EXPECT_EQ(games.size(), 8u) << "the real games of tests/data/games";
    return games;
}
