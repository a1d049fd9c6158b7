// Loading the book file: every line is played out and its positions written
// into the transposition table; the randomly chosen line goes last.
#include <ctime>
#include <fstream>
#include <optional>
#include <random>

#include "board/zobrist.h"
#include "book/book.h"
#include "book/bookfile.h"
#include "search/tt.h"

namespace {

std::optional<std::uint32_t> fixedSeed;

std::uint32_t nextSeed() {
    const std::uint32_t seed = fixedSeed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    fixedSeed.reset();
    return seed;
}

// Book entries carry AGE_BOOK while they are written; the age the table had
// comes back on every exit.
class BookAgeScope {
public:
    BookAgeScope() : saved_(hashAge) { hashAge = AGE_BOOK; }
    ~BookAgeScope() { hashAge = saved_; }
    BookAgeScope(const BookAgeScope&) = delete;
    BookAgeScope& operator=(const BookAgeScope&) = delete;

private:
    std::uint16_t saved_;
};

// The line being read and the chosen line: two fixed buffers of BOOK_LINE_MAX_MOVES moves.
BookLine lineBuffer;
BookLine chosenLine;

// Reads the records in file order, storing all but the chosen one; the chosen
// line (number `chosen`, counted down from lineCount) is kept in chosenLine.
// False when a record is refused or a line cannot be played; linesLeft ends at 0
// exactly when the file held lineCount lines.
bool storeRecords(std::istream& in, long lineCount, long chosen, long& linesLeft, bool& chosenRead) {
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
        else if (!storeLine(line.moves, line.count))
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

// The key does not tell the castle rights a set-up began with, nor an en-passant
// square: the initial placement without all four rights is another position.
bool isBookStart() {
    return position.hashKey == INITIAL_POSITION_KEY && position.sideToMove == WHITE &&
           position.castleRights == (CASTLE_WHITE | CASTLE_BLACK) && position.epSquare == 0;
}

bool loadBook(const char* fileName) {
    const std::uint32_t seed = nextSeed();
    if (!isBookStart()) return false;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    long lineCount = 0;
    if (!readBookCount(in, lineCount) || lineCount < 1) return false;

    const BookAgeScope bookAge;
    long linesLeft = 0;
    bool chosenRead = false;
    if (!storeRecords(in, lineCount, pickBookLine(seed, lineCount), linesLeft, chosenRead)) return false;
    if (!chosenRead || chosenLine.count == 0) return false;
    if (!storeLine(chosenLine.moves, chosenLine.count)) return false;
    return linesLeft == 0;
}
