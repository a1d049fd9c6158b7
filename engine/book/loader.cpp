// Loading the book file: every line is played out and its positions written
// into the transposition table; the randomly chosen line goes last.
#include <ctime>
#include <fstream>
#include <optional>
#include <random>

#include "board/fen.h"
#include "board/zobrist.h"
#include "book/book.h"
#include "book/bookfile.h"
#include "search/tt.h"

namespace {

std::optional<std::uint32_t> fixedSeed;
std::uint32_t usedSeed = 0;

std::uint32_t nextSeed() {
    usedSeed = fixedSeed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    fixedSeed.reset();
    return usedSeed;
}

// Book entries carry AGE_BOOK while they are written; the age the table had
// comes back on every exit.
class BookAgeScope {
public:
    explicit BookAgeScope(TranspositionTable& tt) : tt_(tt), saved_(tt.age()) { tt.setAge(AGE_BOOK); }
    ~BookAgeScope() { tt_.setAge(saved_); }
    BookAgeScope(const BookAgeScope&) = delete;
    BookAgeScope& operator=(const BookAgeScope&) = delete;

private:
    TranspositionTable& tt_;
    std::uint16_t saved_;
};

// Reads the records in file order, storing all but the chosen one; the chosen
// line (number `chosen`, counted down from lineCount) is kept in chosenLine.
// False when a record is refused or a line cannot be played; linesLeft ends at 0
// exactly when the file held lineCount lines.
bool storeRecords(Position& pos, TranspositionTable& tt, std::istream& in, long lineCount, long chosen,
                  BookLine& chosenLine, long& linesLeft, bool& chosenRead) {
    BookLine lineBuffer;
    linesLeft = lineCount;
    chosenRead = false;
    while (in.good()) {
        const bool isChosen = linesLeft == chosen;
        BookLine& line = isChosen ? chosenLine : lineBuffer;
        const BookRecordRead read = readBookRecord(in, line);
        if (read == BookRecordRead::TOO_LONG) return false;
        if (read == BookRecordRead::ENDED) break;
        if (isChosen)
            chosenRead = true;
        else if (!storeLine(pos, tt, line.moves, line.count))
            return false;
        --linesLeft;
    }
    return true;
}

}  // namespace

long pickBookLine(std::uint32_t seed, long lineCount) {
    std::mt19937 generator(seed);
    return std::uniform_int_distribution<long>(1, lineCount)(generator);
}

void fixNextBookSeed(std::uint32_t seed) { fixedSeed = seed; }

std::uint32_t lastBookSeed() { return usedSeed; }

// The key does not tell the castle rights a set-up began with, nor an en-passant
// square: the initial placement without all four rights is another position.
bool isBookStart(const Position& pos) {
    return pos.hashKey == INITIAL_POSITION_KEY && pos.sideToMove == WHITE &&
           pos.castleRights == (CASTLE_WHITE | CASTLE_BLACK) && pos.epSquare == 0;
}

bool loadBook(const char* fileName, TranspositionTable& tt) {
    const std::uint32_t seed = nextSeed();
    Position pos;
    if (!setUpBoard(pos, START_FEN)) return false;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    long lineCount = 0;
    if (!readBookCount(in, lineCount) || lineCount < 1) return false;

    const BookAgeScope bookAge(tt);
    long linesLeft = 0;
    bool chosenRead = false;
    BookLine chosenLine;
    if (!storeRecords(pos, tt, in, lineCount, pickBookLine(seed, lineCount), chosenLine, linesLeft, chosenRead))
        return false;
    if (!chosenRead || chosenLine.count == 0) return false;
    if (!storeLine(pos, tt, chosenLine.moves, chosenLine.count)) return false;
    return linesLeft == 0;
}
