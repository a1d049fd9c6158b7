#include "front/uci.h"

#include <cctype>
#include <cstring>
#include <string>

#include "base/log.h"
#include "base/output.h"
#include "front/state.h"
#include "front/think.h"
#include "front/thinking.h"
#include "front/ucisearch.h"
#include "front/searchoptions.h"
#include "front/uciposition.h"
#include "search/searchconst.h"
#include "search/searchthread.h"
#include "search/tt.h"

namespace {

// Handlers read their arguments from the rest of the line; false ends the session.
struct UciCommand {
    const char* word;
    bool (*run)(Inbox& args);
};

void sendIdentity() {
    sendLine("id name Zorvak\n");
    sendLine("id author the Zorvak developers\n");
    // Interfaces offer pondering only to an engine that has this option.
    sendLine("option name Ponder type check default true\n");
    sendLine("option name OwnBook type check default true\n");
    sendLine("option name Hash type spin default %zu min %zu max %zu\n", TT_DEFAULT_MB, TT_MIN_MB, TT_MAX_MB);
    sendLine("option name Clear Hash type button\n");
    sendLine("option name Threads type spin default 1 min %d max %d\n", MIN_SEARCH_THREADS, MAX_SEARCH_THREADS);
    sendLine("option name MultiPV type spin default %d min %d max %d\n", MIN_PV_LINES, MIN_PV_LINES, MAX_PV_LINES);
    sendLine("uciok\n");
}

std::string lowercase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The search must be idle before the game is touched: a go still running is answered first.
void settleSearch() {
    answerGo();
    stopThinking();
}

bool runUci(Inbox&) {
    sendIdentity();
    return true;
}

bool runIsready(Inbox&) {
    sendLine("readyok\n");
    return true;
}

bool setCheckOption(const std::string& name, const std::string& value, bool& option) {
    const std::string word = lowercase(value);
    if (word != "true" && word != "false") {
        sendLine("info string option %s takes true or false, not \"%s\": unchanged\n", name.c_str(), value.c_str());
        return false;
    }
    option = word == "true";
    return true;
}

// setoption name NAME [value VALUE]: names and values may hold blanks; case does not matter.
bool runSetoption(Inbox& args) {
    std::string name, value, *into = nullptr;
    char word[WORD_BUFFER_SIZE];
    while (readWordOnLine(args, word) != WordRead::END) {
        if (std::strcmp(word, "name") == 0 && into == nullptr) {
            into = &name;
        } else if (std::strcmp(word, "value") == 0 && into == &name) {
            into = &value;
        } else if (into) {
            if (!into->empty()) *into += ' ';
            *into += word;
        }
    }
    logLine("-M: setoption %s = %s", name.c_str(), value.c_str());
    const std::string key = lowercase(name);
    if (key == "ponder") {
        bool on = ponderEnabled != 0;
        if (setCheckOption(name, value, on)) ponderEnabled = on ? 1 : 0;
    } else if (key == "ownbook") {
        setCheckOption(name, value, ownBook);
    } else if (key == "multipv") {
        // Counts from the next go on: the search may go on meanwhile.
        const OptionResult result = setMultiPvOption(value);
        if (!result.applied) sendLine("info string %s\n", result.message.c_str());
    } else if (key == "hash" || key == "threads" || key == "clear hash") {
        // The table and the threads change only while no search runs.
        settleSearch();
        const OptionResult result = key == "hash"      ? setHashOption(value)
                                    : key == "threads" ? setThreadsOption(value)
                                                       : clearHashOption();
        sendLine("info string %s\n", result.message.c_str());
    } else {
        sendLine("info string unknown option \"%s\": ignored\n", name.c_str());
    }
    return true;
}

bool runUcinewgame(Inbox&) {
    settleSearch();
    startUciGame();
    return true;
}

bool runPosition(Inbox& args) {
    settleSearch();
    setUciPosition(args);
    return true;
}

bool runGo(Inbox& args) {
    settleSearch();
    // A go before any position searches the initial one.
    if (!positionReady) startUciGame();
    startGo(args);
    return true;
}

bool runStop(Inbox&) {
    answerGo();
    return true;
}

bool runPonderhit(Inbox&) {
    ponderHit();
    return true;
}

bool runQuit(Inbox&) {
    abandonGo();
    stopThinking();
    engineState = ENGINE_QUITTING;
    endSearchThread();
    return false;
}

// debug and register: nothing to do here.
bool runNothing(Inbox&) { return true; }

inline constexpr UciCommand UCI_COMMANDS[] = {
    {"uci", runUci},
    {"isready", runIsready},
    {"setoption", runSetoption},
    {"ucinewgame", runUcinewgame},
    {"position", runPosition},
    {"go", runGo},
    {"stop", runStop},
    {"ponderhit", runPonderhit},
    {"quit", runQuit},
    {"debug", runNothing},
    {"register", runNothing},
};

// A command runs and its line is done with; an unknown word is passed over and the
// line read on from the next word, as UCI asks.
bool dispatchUciWord(const char* word, CommandInput& in) {
    for (const UciCommand& command : UCI_COMMANDS) {
        if (std::strcmp(word, command.word) != 0) continue;
        if (!command.run(in.args())) return false;
        skipRestOfLine(in.args());
        return true;
    }
    logLine("-M: ignored: %s", word);
    return true;
}

}  // namespace

void uciHandshake() {
    // The interface judges the game: a drawn position still gets a move.
    engineControl().verdictForDrawnRoot = false;
    showUciInfo();
    createSearchThread();
    sendIdentity();
}

void runUciCommands(CommandInput& in) {
    watchSearchFrom(&in.args());
    char word[WORD_BUFFER_SIZE];
    for (;;) {
        waitForGoOrInput(in.args());
        const WordRead read = in.next(word);
        if (read == WordRead::END) {
            // The interface has gone, or a signal asked us to end: end as quit does.
            logLine(in.args().quitRequested() ? "-M: terminated" : "-M: end of input");
            runQuit(in.args());
            break;
        }
        if (read == WordRead::TOO_LONG) continue;
        if (!dispatchUciWord(word, in)) break;
    }
    watchSearchFrom(nullptr);
}

void runUciCommands(Inbox& inbox) {
    CommandInput in(inbox);
    runUciCommands(in);
}
