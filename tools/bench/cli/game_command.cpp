// zorvak-bench game DEPTH "FEN" WORD...: a game from the position. Each WORD is a
// coordinate move, made as a game move, or `go`: a search to DEPTH whose move is
// then played. The search's table, killers and pawn cache carry over from move to
// move, as they do in a game against an interface; the history counters start afresh
// after every game move, as they do there too.
#include <cstdio>
#include <cstring>

#include "command.h"
#include "game/gamemove.h"
#include "game/gameposition.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search_run.h"

namespace {

constexpr const char* SEARCH_WORD = "go";

// The legal move whose coordinate text is word; 0 when there is none.
Move legalMoveNamed(const char* word) {
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(gamePosition, legal);
    for (int i = 0; i < count; ++i) {
        char text[MOVE_TEXT_SIZE];
        moveToText(text, legal[i].move);
        if (std::strcmp(text, word) == 0) return legal[i].move;
    }
    return 0;
}

bool hasLegalMove() {
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    return generateLegalMoves(gamePosition, legal) > 0;
}

enum class WordPlayed { MOVE_MADE, REFUSED, GAME_OVER };

// Plays one word, saying why on standard error when it cannot be played here. A
// search that finds the game drawn by rule answers with that verdict and no move.
WordPlayed playWord(const char* word, int depth) {
    if (std::strcmp(word, SEARCH_WORD) != 0) {
        if (applyGameMove(legalMoveNamed(word))) return WordPlayed::MOVE_MADE;
        std::fprintf(stderr, "zorvak-bench game: \"%s\" is no legal move here\n", word);
        return WordPlayed::REFUSED;
    }
    if (!hasLegalMove()) {
        std::fprintf(stderr, "zorvak-bench game: \"go\" in a position without a legal move\n");
        return WordPlayed::REFUSED;
    }
    const SearchRun run = runPrintedSearch(depth);
    return applyGameMove(isLegalMove(gamePosition, run.move) ? run.move : 0) ? WordPlayed::MOVE_MADE : WordPlayed::GAME_OVER;
}

int runGame(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zorvak-bench game DEPTH \"FEN\" [MOVE|go]...\n");
        return EXIT_BAD_INPUT;
    }
    // A new game: the search's tables are cleared here, and only here.
    const int depth = readDepthAndNewGame("game", argv[1], argv[2]);
    if (depth == 0) return EXIT_BAD_INPUT;
    for (int i = 3; i < argc; ++i) {
        const WordPlayed played = playWord(argv[i], depth);
        if (played == WordPlayed::REFUSED) return EXIT_BAD_INPUT;
        if (played == WordPlayed::GAME_OVER && i + 1 < argc) {
            std::fprintf(stderr, "zorvak-bench game: the game is over, \"%s\" cannot follow\n", argv[i + 1]);
            return EXIT_BAD_INPUT;
        }
    }
    return 0;
}

const bool registered =
    registerBenchCommand({"game", "game DEPTH \"FEN\" [MOVE|go]...", runGame});

}  // namespace
