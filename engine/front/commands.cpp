// The command table and the word loop.
#include "front/commands.h"

#include <cctype>
#include <cstring>
#include <string>

#include "base/log.h"
#include "base/output.h"
#include "board/fen.h"
#include "front/exclusions.h"
#include "front/input.h"
#include "front/searchoptions.h"
#include "front/state.h"
#include "front/think.h"
#include "front/thinking.h"
#include "front/timecontrol.h"
#include "game/gameposition.h"
#include "game/gamemove.h"
#include "game/setup.h"
#include "records/converters.h"
#include "search/searchthread.h"

namespace {

enum class Match { PREFIX, EXACT };

// What a word does while the engine thinks on its own time: handled at once (it
// leaves the search alone), stops the search without a move, waits with all after
// it until the move is out, or asks for the move now.
enum class WhileThinking { NOW, STOP, AFTER_MOVE, MOVE_NOW };
// What a command does in analyze mode: leaves the analysis running, restarts it
// on the position the command leaves, or ends analyze mode first.
enum class InAnalysis { KEEPS, RESTARTS, LEAVES };

// Handlers return false when the session ends.
struct Command {
    const char* word;
    Match match;
    bool (*run)(CommandInput& in);
    WhileThinking whileThinking;
    InAnalysis inAnalysis;
};

bool matches(const char* word, const char* name, Match match) {
    return match == Match::EXACT ? std::strcmp(word, name) == 0 : std::strncmp(word, name, std::strlen(name)) == 0;
}

// The engine is to move: a book move if the position has one, else the search's.
void engineToMove(CommandInput& in) {
    if (!playBookMove()) thinkAndMove(in);
}

bool setUpStartPosition() {
    stopThinking();
    const bool ready = setPosition(START_FEN, true);
    if (ready) positionReady = true;
    if (ready) forgetExclusions();
    return ready;
}

// time T: the engine's clock. The interface follows it with otim and the opponent's
// clock, which is read here when it has already come; any other word is the next command.
bool runTime(CommandInput& in) {
    long engineClock = 0, opponentClock = 0;
    if (!readInteger(in.args(), engineClock)) return true;
    setEngineClock(engineClock);
    if (!in.wordReady()) return true;
    char next[WORD_BUFFER_SIZE];
    const WordRead read = readWord(in.args(), next);
    if (read == WordRead::WORD && std::strcmp(next, "otim") == 0)
        readInteger(in.args(), opponentClock);  // not used
    else
        in.holdUnlogged(read, next);
    return true;
}

bool runGo(CommandInput& in) {
    if (!positionReady) return true;
    stopThinking();
    engineToMove(in);
    return true;
}

bool runNew(CommandInput&) {
    if (setUpStartPosition()) engineState = ENGINE_WAITING;
    return true;
}

// result RESULT {COMMENT}: the rest of the line is the result's, never commands.
bool runResult(CommandInput& in) {
    char line[WORD_BUFFER_SIZE];
    readRestOfLine(in.args(), line);
    return runNew(in);
}

// level MPS BASE INC, where BASE may be minutes:seconds and INC have a fraction.
bool runLevel(CommandInput& in) {
    long moves = 0, base = 0, baseSeconds = 0, increment = 0;
    if (!readInteger(in.args(), moves) || !readThousandths(in.args(), base)) return true;
    if (readCharIf(in.args(), ':')) readThousandths(in.args(), baseSeconds);
    if (!readThousandths(in.args(), increment)) increment = 0;
    setLevel(moves, static_cast<double>(increment) / 1000);
    return true;
}

// st SECONDS: every move exactly that long; sd DEPTH: no search deeper.
bool runSt(CommandInput& in) {
    long seconds = 0;
    if (readThousandths(in.args(), seconds)) setFixedMoveTime(seconds);  // thousandths of seconds: milliseconds
    return true;
}

bool runSd(CommandInput& in) {
    long depth = 0;
    if (readInteger(in.args(), depth)) setDepthLimit(depth);
    return true;
}

bool runForce(CommandInput&) {
    stopThinking();
    return true;
}

// A position refused is refused whole: the game stays as it was, and the interface is told.
bool runSetboard(CommandInput& in) {
    stopThinking();
    char line[WORD_BUFFER_SIZE];
    readRestOfLine(in.args(), line);
    logLine("setboard %s", line);
    if (setPosition(line, true)) {
        positionReady = true;
        forgetExclusions();
        return true;
    }
    logLine("-M: tellusererror Illegal position");
    sendLine("tellusererror Illegal position\n");
    return true;
}

bool runEasy(CommandInput&) {
    ponderEnabled = 0;
    return true;
}

bool runHard(CommandInput&) {
    ponderEnabled = 1;
    return true;
}

bool runQuit(CommandInput&) {
    // Stops any search, then wakes the thread once more so that it ends.
    stopThinking();
    engineState = ENGINE_QUITTING;
    endSearchThread();
    return false;
}

bool switchSide(Side side) {
    stopThinking();
    forgetExclusions();
    if (positionReady && !setSideToMove(side)) logLine("-M: side to move not changed: the other king would be in check");
    return true;
}

bool runWhite(CommandInput&) { return switchSide(WHITE); }
bool runBlack(CommandInput&) { return switchSide(BLACK); }

// undo takes back one game move, remove two. An engine that was playing (waiting or
// pondering) goes on waiting for the opponent; one that was thinking has stopped.
bool takeBack(int count) {
    const EngineState before = engineState;
    stopThinking();
    if (!positionReady) return true;
    if (takeBackGameMoves(count)) {
        forgetExclusions();  // even those the position taken back to had before
        char fen[FEN_BUFFER_SIZE];
        writeFen(gamePosition, fen);
        logLine("-M: took back %d: %s", count, fen);
    } else {
        logLine("-M: cannot take back %d move(s): not that many game moves since the set-up", count);
    }
    if (before == ENGINE_WAITING || before == ENGINE_PONDERING) engineState = ENGINE_WAITING;
    return true;
}

bool runUndo(CommandInput&) { return takeBack(1); }
bool runRemove(CommandInput&) { return takeBack(2); }

// ping N: everything before it has been carried out; the reply says so.
bool runPing(CommandInput& in) {
    long number = 0;
    if (readInteger(in.args(), number))
        sendLine("pong %ld\n", number);
    else
        sendLine("pong\n");
    return true;
}

bool runPost(CommandInput&) {
    setPostThinking(true);
    return true;
}

bool runNopost(CommandInput&) {
    setPostThinking(false);
    return true;
}

// analyze: the analysis starts once the command is through (it restarts analysis).
bool runAnalyze(CommandInput&) {
    stopThinking();
    analyzeMode = true;
    updateThinkingOutput();
    return true;
}

// exit leaves analyze mode, which its table row does; `?` outside the engine's own
// search has nothing to hurry.
bool runNothing(CommandInput&) { return true; }

// Words of the protocol the engine does not use, with their arguments.
bool ignoreInteger(CommandInput& in) {
    long ignored = 0;
    readInteger(in.args(), ignored);
    return true;
}

bool ignoreTwoIntegers(CommandInput& in) {
    ignoreInteger(in);
    return ignoreInteger(in);
}

bool ignoreWord(CommandInput& in) {
    char ignored[WORD_BUFFER_SIZE];
    readWordOnLine(in.args(), ignored);
    return true;
}

bool ignoreLine(CommandInput& in) {
    char ignored[WORD_BUFFER_SIZE];
    readRestOfLine(in.args(), ignored);
    return true;
}

// The game-record converters read their two file names (not logged). A name too
// long for the buffer would name another file: such a command does nothing. The
// converters leave the game as it was, so an engine that waited for the opponent's
// move (or pondered on it) answers that move afterwards as it would have before.
bool runConverter(CommandInput& in, Converter convert) {
    const EngineState before = engineState;
    stopThinking();
    char source[WORD_BUFFER_SIZE], target[WORD_BUFFER_SIZE];
    const WordRead first = readWordOnLine(in.args(), source);
    if (first == WordRead::END) return true;
    const WordRead second = readWordOnLine(in.args(), target);
    if (first == WordRead::WORD && second == WordRead::WORD) convert(source, target);
    if (before == ENGINE_WAITING || before == ENGINE_PONDERING) engineState = ENGINE_WAITING;
    return true;
}

bool runPgn2game(CommandInput& in) {
    return runConverter(in, [](const char* pgnFile, const char* gameFile) {
        int total = 0;
        return pgn2game(pgnFile, gameFile, total);
    });
}
bool runPgnlist2game(CommandInput& in) { return runConverter(in, pgnlist2game); }
bool runGame2pgn(CommandInput& in) { return runConverter(in, game2pgn); }
bool runGame2pos(CommandInput& in) { return runConverter(in, game2pos); }

// cores N, memory N: the threads and the table change only while no search runs, so
// any pondering or analysis stops first (analysis starts again afterwards); an engine
// that waited for the opponent goes on waiting. A refusal is told to the user.
bool changeSearchOption(CommandInput& in, OptionResult (*change)(const std::string&)) {
    char value[WORD_BUFFER_SIZE];
    readWordOnLine(in.args(), value);
    const EngineState before = engineState;
    stopThinking();
    const OptionResult result = change(value);
    if (!result.applied) sendLine("telluser %s\n", result.message.c_str());
    if (before == ENGINE_WAITING || before == ENGINE_PONDERING) engineState = ENGINE_WAITING;
    return true;
}

bool runCores(CommandInput& in) { return changeSearchOption(in, setThreadsOption); }
bool runMemory(CommandInput& in) { return changeSearchOption(in, setMemoryOption); }

std::string withoutBlanksAround(const std::string& text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// option NAME=VALUE: an option announced at the handshake (MultiPV). A refused
// value is told to the user; a name the engine never announced is passed over.
bool runOption(CommandInput& in) {
    char line[WORD_BUFFER_SIZE];
    readRestOfLine(in.args(), line);
    const std::string text = line;
    const std::size_t equals = text.find('=');
    const std::string name = withoutBlanksAround(text.substr(0, equals));
    if (name != "MultiPV" || equals == std::string::npos) {
        logLine("-M: option %s: unknown, ignored", name.c_str());
        return true;
    }
    const OptionResult result = setMultiPvOption(withoutBlanksAround(text.substr(equals + 1)));
    if (!result.applied) sendLine("telluser %s\n", result.message.c_str());
    return true;
}

// exclude MOVE|all, include MOVE|all: the root moves the analysis leaves out (it
// starts again on the others).
bool changeExclusions(CommandInput& in, bool (*change)(const char* word)) {
    char word[WORD_BUFFER_SIZE];
    if (readWordOnLine(in.args(), word) == WordRead::WORD && positionReady) change(word);
    return true;
}

bool runExclude(CommandInput& in) { return changeExclusions(in, excludeRootMoves); }
bool runInclude(CommandInput& in) { return changeExclusions(in, includeRootMoves); }

bool runBenchmark(CommandInput&) {
    stopThinking();
    sendLine("Define __STAT\n");
    return true;
}

bool runTest(CommandInput& in) {
    if (!setUpStartPosition()) return true;
    setTestBudget();
    engineState = ENGINE_WAITING;
    stopThinking();
    engineToMove(in);
    return true;
}

using W = WhileThinking;
using A = InAnalysis;

// Checked in this order, the opponent's moves right after time; the first match wins.
inline constexpr Command COMMANDS[] = {
    {"time", Match::PREFIX, runTime, W::NOW, A::KEEPS},
    {"go", Match::PREFIX, runGo, W::AFTER_MOVE, A::LEAVES},
    {"new", Match::PREFIX, runNew, W::STOP, A::RESTARTS},
    {"result", Match::PREFIX, runResult, W::STOP, A::LEAVES},
    {"level", Match::PREFIX, runLevel, W::AFTER_MOVE, A::KEEPS},
    {"force", Match::PREFIX, runForce, W::STOP, A::LEAVES},
    {"setboard", Match::PREFIX, runSetboard, W::STOP, A::RESTARTS},
    {"easy", Match::EXACT, runEasy, W::NOW, A::KEEPS},
    {"hard", Match::EXACT, runHard, W::NOW, A::KEEPS},
    {"quit", Match::PREFIX, runQuit, W::STOP, A::LEAVES},
    {"white", Match::PREFIX, runWhite, W::STOP, A::LEAVES},
    {"black", Match::PREFIX, runBlack, W::STOP, A::LEAVES},
    {"pgn2game", Match::EXACT, runPgn2game, W::AFTER_MOVE, A::LEAVES},
    {"pgnlist2game", Match::EXACT, runPgnlist2game, W::AFTER_MOVE, A::LEAVES},
    {"game2pgn", Match::EXACT, runGame2pgn, W::AFTER_MOVE, A::LEAVES},
    {"game2pos", Match::EXACT, runGame2pos, W::AFTER_MOVE, A::LEAVES},
    {"benchmark", Match::EXACT, runBenchmark, W::AFTER_MOVE, A::LEAVES},
    {"test", Match::EXACT, runTest, W::AFTER_MOVE, A::LEAVES},
    {"undo", Match::EXACT, runUndo, W::STOP, A::RESTARTS},
    {"remove", Match::EXACT, runRemove, W::STOP, A::RESTARTS},
    {"ping", Match::EXACT, runPing, W::AFTER_MOVE, A::KEEPS},
    {"post", Match::EXACT, runPost, W::NOW, A::KEEPS},
    {"nopost", Match::EXACT, runNopost, W::NOW, A::KEEPS},
    {"?", Match::EXACT, runNothing, W::MOVE_NOW, A::KEEPS},
    {"analyze", Match::EXACT, runAnalyze, W::AFTER_MOVE, A::RESTARTS},
    {"exit", Match::EXACT, runNothing, W::AFTER_MOVE, A::LEAVES},
    {"st", Match::EXACT, runSt, W::AFTER_MOVE, A::KEEPS},
    {"sd", Match::EXACT, runSd, W::AFTER_MOVE, A::KEEPS},
    {"memory", Match::EXACT, runMemory, W::AFTER_MOVE, A::RESTARTS},
    {"cores", Match::EXACT, runCores, W::AFTER_MOVE, A::RESTARTS},
    {"option", Match::EXACT, runOption, W::NOW, A::RESTARTS},
    {"exclude", Match::EXACT, runExclude, W::NOW, A::RESTARTS},
    {"include", Match::EXACT, runInclude, W::NOW, A::RESTARTS},
    // Sent by interfaces, not used here.
    {"otim", Match::EXACT, ignoreInteger, W::NOW, A::KEEPS},
    {"protover", Match::EXACT, ignoreInteger, W::NOW, A::KEEPS},
    {"rating", Match::EXACT, ignoreTwoIntegers, W::NOW, A::KEEPS},
    {"accepted", Match::EXACT, ignoreWord, W::NOW, A::KEEPS},
    {"rejected", Match::EXACT, ignoreWord, W::NOW, A::KEEPS},
    {"variant", Match::EXACT, ignoreWord, W::NOW, A::KEEPS},
    {"ics", Match::EXACT, ignoreWord, W::NOW, A::KEEPS},
    {"name", Match::EXACT, ignoreLine, W::NOW, A::KEEPS},
    {"computer", Match::EXACT, runNothing, W::NOW, A::KEEPS},
    {"random", Match::EXACT, runNothing, W::NOW, A::KEEPS},
    {"hint", Match::EXACT, runNothing, W::NOW, A::KEEPS},
    {"bk", Match::EXACT, runNothing, W::NOW, A::KEEPS},
    {"draw", Match::EXACT, runNothing, W::NOW, A::KEEPS},
    {".", Match::EXACT, runNothing, W::NOW, A::KEEPS},
};

// A word is time, an opponent's move, a command of the table, or nothing.
struct WordMeaning {
    const Command* command;
    Move move;
};

WordMeaning meaningOf(const char* word) {
    if (matches(word, COMMANDS[0].word, COMMANDS[0].match)) return {&COMMANDS[0], 0};
    if (const Move move = parseCoordinateMove(word)) return {nullptr, move};
    for (const Command& command : COMMANDS)
        if (matches(word, command.word, command.match)) return {&command, 0};
    return {nullptr, 0};
}

// ---- Analyze mode ------------------------------------------------------------------
void leaveAnalysis() {
    stopThinking();
    analyzeMode = false;
    updateThinkingOutput();
}

// After a command that changed the position: the analysis goes on from the new one.
void resumeAnalysis() {
    if (!analyzeMode || !positionReady) return;
    stopThinking();
    startAnalysis();
}

bool runCommand(const Command& command, CommandInput& in) {
    if (command.inAnalysis == InAnalysis::LEAVES && analyzeMode) leaveAnalysis();
    const bool goesOn = command.run(in);
    if (goesOn && command.inAnalysis == InAnalysis::RESTARTS) resumeAnalysis();
    return goesOn;
}

// ---- The opponent's moves ------------------------------------------------------------
// The prediction was right: the running search goes on as the search for our move.
void ponderHit(CommandInput& in) {
    keepPonderMove();
    logLine("-GOOD PONDER");
    thinkAndMove(in);
}

// Answers a move the interface sent that is no legal move here; false then.
bool acceptOpponentMove(Move move, const char* word) {
    if (isAcceptableOpponentMove(move)) return true;
    sendLine("Illegal move: %s\n", word);
    logLine("-M: Illegal move: %s", word);
    return false;
}

// The prediction was wrong: a fresh search (no book lookup) after the real move.
void ponderMiss(Move move, const char* word, CommandInput& in) {
    logLine("-BAD PONDER");
    // Takes the predicted reply back, so the move is judged on the real position.
    stopThinking();
    if (!acceptOpponentMove(move, word)) {
        engineState = ENGINE_WAITING;
        return;
    }
    applyGameMove(move);
    thinkAndMove(in);
}

// In analyze mode the move is made and the analysis goes on from it.
void playOpponentMove(Move move, const char* word, CommandInput& in) {
    const EngineState state = engineState;
    if (state == ENGINE_PONDERING) return move == ponderMove() ? ponderHit(in) : ponderMiss(move, word, in);
    if (state == ENGINE_ANALYZING) stopThinking();
    if (state != ENGINE_IDLE && state != ENGINE_WAITING && state != ENGINE_ANALYZING) return;
    if (!acceptOpponentMove(move, word)) return;
    applyGameMove(move);
    if (state == ENGINE_WAITING) engineToMove(in);
}

}  // namespace

bool dispatchWord(const char* word, CommandInput& in) {
    const WordMeaning meaning = meaningOf(word);
    if (meaning.command) return runCommand(*meaning.command, in);
    // Before any set-up the root snapshot is empty and there is nothing to play on.
    if (meaning.move && positionReady) {
        playOpponentMove(meaning.move, word, in);
        resumeAnalysis();
    }
    return true;
}

WordWhileThinking handleWordWhileThinking(CommandInput& in) {
    char word[WORD_BUFFER_SIZE];
    const WordRead read = in.next(word);
    if (read == WordRead::TOO_LONG) return WordWhileThinking::HANDLED;  // dropped, as always
    const Command* command = read == WordRead::END ? nullptr : meaningOf(word).command;
    // The end of input stops as quit does; moves and unknown words wait for the move.
    const WhileThinking kind = read == WordRead::END ? W::STOP : command ? command->whileThinking : W::AFTER_MOVE;
    switch (kind) {
        case W::NOW:
            command->run(in);
            return WordWhileThinking::HANDLED;
        case W::MOVE_NOW:
            return WordWhileThinking::MOVE_NOW;
        case W::STOP:
            in.hold(read, word);
            return WordWhileThinking::STOPS;
        case W::AFTER_MOVE:
            break;
    }
    in.hold(read, word);
    return WordWhileThinking::WAITS;
}

void runCommands(CommandInput& in) {
    watchSearchFrom(&in.args());
    char word[WORD_BUFFER_SIZE];
    for (;;) {
        const WordRead read = in.next(word);
        if (read == WordRead::END) {
            // The interface has gone, or a signal asked us to end: end as quit does.
            logLine(in.args().quitRequested() ? "-M: terminated" : "-M: end of input");
            runQuit(in);
            break;
        }
        // No command or move is that long: an over-long word is dropped whole.
        if (read == WordRead::TOO_LONG) continue;
        if (!dispatchWord(word, in)) break;
    }
    watchSearchFrom(nullptr);
}

void runCommands(Inbox& inbox) {
    CommandInput in(inbox);
    runCommands(in);
}
