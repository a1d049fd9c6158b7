// The command table and the word loop.
#include "front/commands.h"

#include <cstring>

#include "board/setup.h"
#include "book/book.h"
#include "front/enginecontrol.h"
#include "front/gamemove.h"
#include "front/input.h"
#include "base/log.h"
#include "front/state.h"
#include "front/think.h"
#include "front/timecontrol.h"
#include "records/converters.h"

namespace {

enum class Match { PREFIX, EXACT };

// Handlers return false when the session ends.
struct Command {
    const char* word;
    Match match;
    bool (*run)(std::FILE* in);
};

bool matches(const char* word, const char* name, Match match) {
    return match == Match::EXACT ? std::strcmp(word, name) == 0 : std::strncmp(word, name, std::strlen(name)) == 0;
}

// The engine is to move: a book move if the position has one, else the search's.
void engineToMove() {
    if (!playBookMove()) thinkAndMove();
}

bool setUpStartPosition() {
    StopEngine();
    const bool ready = setPosition(START_FEN, true);
    if (ready) positionReady = true;
    return ready;
}

bool runTime(std::FILE* in) {
    long engineClock = 0, opponentClock = 0;
    char otim[WORD_BUFFER_SIZE];
    if (!readInteger(in, engineClock)) return true;
    setEngineClock(engineClock);
    if (readWord(in, otim) == WordRead::END) return true;
    readInteger(in, opponentClock);  // read to keep it from being taken for a word; not used
    return true;
}

bool runGo(std::FILE*) {
    if (!positionReady) return true;
    StopEngine();
    engineToMove();
    return true;
}

bool runNew(std::FILE*) {
    if (setUpStartPosition()) engineState = ENGINE_WAITING;
    return true;
}

// level MPS BASE INC, where BASE may also be minutes:seconds.
bool runLevel(std::FILE* in) {
    long moves = 0, baseMinutes = 0, baseSeconds = 0, increment = 0;
    if (!readInteger(in, moves) || !readInteger(in, baseMinutes)) return true;
    if (readCharIf(in, ':')) readInteger(in, baseSeconds);
    if (!readInteger(in, increment)) increment = 0;
    setLevel(moves, increment);
    return true;
}

bool runForce(std::FILE*) {
    StopEngine();
    return true;
}

bool runSetboard(std::FILE* in) {
    StopEngine();
    char line[WORD_BUFFER_SIZE];
    readRestOfLine(in, line);
    logLine("setboard %s", line);
    if (setPosition(line, true))
        positionReady = true;
    else
        logLine("-M: tellusererror Illegal position");
    return true;
}

bool runEasy(std::FILE*) {
    ponderEnabled = 0;
    return true;
}

bool runHard(std::FILE*) {
    ponderEnabled = 1;
    return true;
}

bool runQuit(std::FILE*) {
    // Stops any search, then wakes the thread once more so that it ends.
    endSearchThread();
    return false;
}

bool switchSide(Side side) {
    StopEngine();
    if (positionReady && !setSideToMove(side)) logLine("-M: side to move not changed: the other king would be in check");
    return true;
}

bool runWhite(std::FILE*) { return switchSide(WHITE); }
bool runBlack(std::FILE*) { return switchSide(BLACK); }

// The game-record converters read their two file names (not logged). A name too
// long for the buffer would name another file: such a command does nothing. The
// converters leave the game as it was, so an engine that waited for the opponent's
// move (or pondered on it) answers that move afterwards as it would have before.
bool runConverter(std::FILE* in, Converter convert) {
    const EngineState before = engineState;
    StopEngine();
    char source[WORD_BUFFER_SIZE], target[WORD_BUFFER_SIZE];
    const WordRead first = readWord(in, source);
    if (first == WordRead::END) return true;
    const WordRead second = readWord(in, target);
    if (first == WordRead::WORD && second == WordRead::WORD) convert(source, target);
    if (before == ENGINE_WAITING || before == ENGINE_PONDERING) engineState = ENGINE_WAITING;
    return true;
}

bool runPgn2game(std::FILE* in) {
    return runConverter(in, [](const char* pgnFile, const char* gameFile) {
        int total = 0;
        return pgn2game(pgnFile, gameFile, total);
    });
}
bool runPgnlist2game(std::FILE* in) { return runConverter(in, pgnlist2game); }
bool runGame2pgn(std::FILE* in) { return runConverter(in, game2pgn); }
bool runGame2pos(std::FILE* in) { return runConverter(in, game2pos); }

bool runBenchmark(std::FILE*) {
    StopEngine();
    std::printf("Define __STAT\n");
    return true;
}

bool runTest(std::FILE*) {
    if (!setUpStartPosition()) return true;
    setTestBudget();
    engineState = ENGINE_WAITING;
    StopEngine();
    engineToMove();
    return true;
}

// Checked in this order after time and the opponent's moves; the first match wins.
inline constexpr Command COMMANDS[] = {
    {"go", Match::PREFIX, runGo},
    {"new", Match::PREFIX, runNew},
    {"result", Match::PREFIX, runNew},
    {"level", Match::PREFIX, runLevel},
    {"force", Match::PREFIX, runForce},
    {"setboard", Match::PREFIX, runSetboard},
    {"easy", Match::EXACT, runEasy},
    {"hard", Match::EXACT, runHard},
    {"quit", Match::PREFIX, runQuit},
    {"white", Match::PREFIX, runWhite},
    {"black", Match::PREFIX, runBlack},
    {"pgn2game", Match::EXACT, runPgn2game},
    {"pgnlist2game", Match::EXACT, runPgnlist2game},
    {"game2pgn", Match::EXACT, runGame2pgn},
    {"game2pos", Match::EXACT, runGame2pos},
    {"benchmark", Match::EXACT, runBenchmark},
    {"test", Match::EXACT, runTest},
};

// The prediction was right: the running search goes on as the search for our move.
void ponderHit() {
    ponderMove = 0;
    logLine("-GOOD PONDER");
    thinkAndMove();
}

// Answers a move the interface sent that is no legal move here; false then.
bool acceptOpponentMove(Move move, const char* word) {
    if (isAcceptableOpponentMove(move)) return true;
    std::printf("Illegal move: %s\n", word);
    logLine("-M: Illegal move: %s", word);
    return false;
}

// The prediction was wrong: a fresh search (no book lookup) after the real move.
void ponderMiss(Move move, const char* word) {
    logLine("-BAD PONDER");
    // Takes the predicted reply back, so the move is judged on the real position.
    StopEngine();
    if (!acceptOpponentMove(move, word)) {
        engineState = ENGINE_WAITING;
        return;
    }
    applyGameMove(move);
    thinkAndMove();
}

void playOpponentMove(Move move, const char* word) {
    const EngineState state = engineState;
    if (state == ENGINE_PONDERING) return move == ponderMove ? ponderHit() : ponderMiss(move, word);
    if (state != ENGINE_IDLE && state != ENGINE_WAITING) return;
    if (!acceptOpponentMove(move, word)) return;
    applyGameMove(move);
    if (state == ENGINE_WAITING) engineToMove();
}

}  // namespace

bool dispatchWord(const char* word, std::FILE* in) {
    if (matches(word, "time", Match::PREFIX)) return runTime(in);
    if (const Move move = parseCoordinateMove(word)) {
        // Before any set-up the root snapshot is empty and there is nothing to play on.
        if (positionReady) playOpponentMove(move, word);
        return true;
    }
    for (const Command& command : COMMANDS)
        if (matches(word, command.word, command.match)) return command.run(in);
    return true;
}

WordRead readLoggedWord(std::FILE* in, char (&word)[WORD_BUFFER_SIZE]) {
    const WordRead read = readWord(in, word);
    if (read == WordRead::WORD) logLine("::cmd:: %s", word);
    if (read == WordRead::TOO_LONG) logLine("-M: ignored a word longer than %d characters", WORD_BUFFER_SIZE - 1);
    return read;
}

void runCommands(std::FILE* in) {
    char word[WORD_BUFFER_SIZE];
    for (;;) {
        const WordRead read = readLoggedWord(in, word);
        if (read == WordRead::END) {
            // The interface has gone: end as quit does.
            logLine("-M: end of input");
            runQuit(in);
            return;
        }
        // No command or move is that long: an over-long word is dropped whole.
        if (read == WordRead::TOO_LONG) continue;
        if (!dispatchWord(word, in)) return;
    }
}
