#include "front/uciposition.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/output.h"
#include "board/fen.h"
#include "book/book.h"
#include "front/input.h"
#include "front/state.h"
#include "game/gameposition.h"
#include "game/gamemove.h"
#include "game/setup.h"

namespace {

constexpr const char* START_POS = "startpos";
constexpr std::size_t FEN_TEXT_LIMIT = 120;  // far beyond any FEN's six fields

// A game as the interface gives it: where it starts and the moves since.
struct GameLine {
    std::string base;                // "startpos" or the FEN's fields as given
    std::vector<std::string> moves;  // coordinate moves, lowercase
};

GameLine current;  // the game the position stands in, while positionReady
GameLine wanted;   // the one being read (kept to reuse its storage)

const char* fenOf(const GameLine& line) { return line.base == START_POS ? START_FEN : line.base.c_str(); }

void refuse(const std::string& why) {
    logLine("-M: position refused: %s", why.c_str());
    sendLine("info string position refused: %s; the position stays as it was\n", why.c_str());
}

void tellBookError() {
    logLine("-M: no book: %s cannot be read", BOOK_FILE_NAME);
    sendLine("info string no book: %s is missing or unreadable; playing without it\n", BOOK_FILE_NAME);
}

// Reads the rest of the position command into line; false with the reason when it
// names no position. Words it does not know are passed over, as UCI asks.
bool readGameLine(Inbox& args, GameLine& line, std::string& why) {
    line.base.clear();
    line.moves.clear();
    char word[WORD_BUFFER_SIZE];
    WordRead read = readWordOnLine(args, word);
    if (read == WordRead::WORD && std::strcmp(word, START_POS) == 0) {
        line.base = START_POS;
        read = readWordOnLine(args, word);
    } else if (read == WordRead::WORD && std::strcmp(word, "fen") == 0) {
        while ((read = readWordOnLine(args, word)) != WordRead::END && std::strcmp(word, "moves") != 0) {
            if (!line.base.empty()) line.base += ' ';
            line.base += word;
        }
        if (line.base.empty()) return why = "no FEN after \"fen\"", false;
        if (line.base.size() > FEN_TEXT_LIMIT) return why = "FEN too long", false;
    } else {
        return why = "\"startpos\" or \"fen\" expected", false;
    }
    while (read != WordRead::END && !(read == WordRead::WORD && std::strcmp(word, "moves") == 0))
        read = readWordOnLine(args, word);
    while ((read = readWordOnLine(args, word)) != WordRead::END) {
        std::string move(word);
        std::transform(move.begin(), move.end(), move.begin(), [](unsigned char c) { return std::tolower(c); });
        line.moves.push_back(read == WordRead::TOO_LONG ? move + "..." : move);
    }
    return true;
}

// Plays line's moves from index `from` on as game moves; the index of the first
// that is no legal move, or the count of moves when all were played.
std::size_t playMoves(const GameLine& line, std::size_t from) {
    for (std::size_t i = from; i < line.moves.size(); ++i) {
        const Move move = legalGameMove(line.moves[i].c_str());
        if (!move) return i;
        applyGameMove(move);
    }
    return line.moves.size();
}

// Sets the game of line up again from its start, the search's tables kept.
std::size_t replay(const GameLine& line) {
    placeGamePosition(fenOf(line));
    return playMoves(line, 0);
}

std::size_t commonMoves(const GameLine& a, const GameLine& b) {
    const std::size_t shorter = std::min(a.moves.size(), b.moves.size());
    return static_cast<std::size_t>(std::mismatch(a.moves.begin(), a.moves.begin() + shorter, b.moves.begin()).first -
                                    a.moves.begin());
}

// Sets wanted up; false, with the game as it was, when one of its moves is not legal.
bool playWantedLine() {
    const bool sameGame = positionReady && wanted.base == current.base;
    const std::size_t common = sameGame ? commonMoves(current, wanted) : 0;
    // The usual case: the game went on by the engine's move and the opponent's.
    if (sameGame && common == current.moves.size()) {
        const std::size_t failed = playMoves(wanted, common);
        if (failed == wanted.moves.size()) {
            logLine("-M: position: %zu more game move(s)", wanted.moves.size() - common);
            return true;
        }
        replay(current);
        refuse("illegal move " + wanted.moves[failed]);
        return false;
    }
    // Another turn in the same game (a ponder miss, a move taken back), or another game:
    // tried first, so that a refused line leaves the game untouched.
    const std::size_t failed = replay(wanted);
    if (failed != wanted.moves.size()) {
        if (positionReady) replay(current);
        refuse("illegal move " + wanted.moves[failed]);
        return false;
    }
    if (sameGame) {
        logLine("-M: position: the game set up again, %zu game move(s)", wanted.moves.size());
        return true;
    }
    // A new game starts from its first position, where the book is loaded.
    placeGamePosition(fenOf(wanted));
    if (!startNewGame(ownBook)) tellBookError();
    playMoves(wanted, 0);
    lastMoveFromBook = 0;
    logLine("-M: position: new game, %zu game move(s)", wanted.moves.size());
    return true;
}

}  // namespace

void setUciPosition(Inbox& args) {
    std::string why;
    if (!readGameLine(args, wanted, why)) return refuse(why);
    Position checked;
    EpdOperation ignored;
    if (!readFen(fenOf(wanted), checked, ignored)) return refuse("bad FEN " + wanted.base);
    if (!playWantedLine()) return;
    std::swap(current, wanted);
    positionReady = true;
}

void startUciGame() {
    placeGamePosition(START_FEN);
    if (!startNewGame(ownBook)) tellBookError();
    lastMoveFromBook = 0;
    current.base = START_POS;
    current.moves.clear();
    positionReady = true;
    logLine("-M: new game");
}
