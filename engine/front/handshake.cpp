// Start-up: the handshake with the interface, then the command loop.
#include <cstring>

#include "base/log.h"
#include "front/commands.h"
#include "front/constants.h"
#include "front/state.h"
#include "search/searchthread.h"
#include "search/tt.h"

bool handshake(std::FILE* in) {
    lastMoveFromBook = 0;
    engineState = ENGINE_WAITING;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(in, nullptr, _IONBF, 0);
    std::fflush(nullptr);

    char word[WORD_BUFFER_SIZE];
    const WordRead read = readLoggedWord(in, word);
    if (read != WordRead::WORD || std::strncmp(word, "xboard", XBOARD_PREFIX_LENGTH) != 0)
        std::printf("Engine works only with xboard protocol ver. 2\n");

    std::printf("\n");
    std::printf("feature %s=%s\n", "done", "0");
    std::printf("feature %s=%s\n", "setboard", "1");
    // The tables are built at compile time; the events exist from the start.
    engineState = ENGINE_WAITING;
    createSearchThread();
    clearTranspositionTable();
    std::printf("feature done=1\n");
    return true;
}

void commandLoop() {
    engineState = ENGINE_IDLE;
    ponderEnabled = 1;
    handshake(stdin);
    runCommands(stdin);
}
