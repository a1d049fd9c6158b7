// Start-up: the handshake with the interface, then the command loop.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "base/inputthread.h"
#include "base/output.h"
#include "front/commands.h"
#include "front/constants.h"
#include "front/state.h"
#include "front/uci.h"
#include "game/gameposition.h"
#include "game/gamemove.h"
#include "search/searchconst.h"
#include "search/searchthread.h"
#include "search/tt.h"

namespace {

// What the engine understands of protocol 2 beyond set-up: its name, ping, no
// signals wanted (SIGINT would stop nothing here), analysis, no colour commands,
// bare moves, one process for many games, no draw offers or names needed, the
// cores and memory commands, and the analysis's exclude and include.
constexpr const char* FEATURES =
    "feature myname=\"Zorvak\" ping=1 sigint=0 sigterm=0 analyze=1 colors=0 usermove=0 reuse=1 draw=0 name=0 "
    "ics=0 smp=1 memory=1 exclude=1\n";

}  // namespace

bool handshake(WordRead read, const char* firstWord) {
    if (read != WordRead::WORD || std::strncmp(firstWord, "xboard", XBOARD_PREFIX_LENGTH) != 0)
        sendLine("Engine works only with xboard protocol ver. 2\n");

    sendLine("\n");
    sendLine("feature %s=%s\n", "done", "0");
    sendLine("feature %s=%s\n", "setboard", "1");
    // The tables are built at compile time; the events exist from the start.
    engineState = ENGINE_WAITING;
    createSearchThread();
    sendLine("%s", FEATURES);
    // The options an interface may set (option NAME=VALUE): the analysis's best lines.
    sendLine("feature option=\"MultiPV -spin %d %d %d\"\n", MIN_PV_LINES, MIN_PV_LINES, MAX_PV_LINES);
    sendLine("feature done=1\n");
    return true;
}

void commandLoop() {
    engineState = ENGINE_IDLE;
    ponderEnabled = 1;
    installSignalHandling();
    Inbox inbox;
    startInputThread(inbox, STDIN_FILENO);
    CommandInput in(inbox);

    lastMoveFromBook = 0;
    engineState = ENGINE_WAITING;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::fflush(nullptr);
    // The first word chooses the protocol: UCI for "uci", xboard for anything else.
    char word[WORD_BUFFER_SIZE];
    const WordRead read = in.next(word);
    if (read == WordRead::WORD && std::strcmp(word, "uci") == 0) {
        uciHandshake();
        runUciCommands(in);
    } else {
        handshake(read, word);
        runCommands(in);
    }
    stopInputThread();
}
