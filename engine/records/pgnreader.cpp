#include "records/pgnreader.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/notation.h"
#include "records/gamemoves.h"

namespace {

// ---- Characters ------------------------------------------------------------------
// The stream's buffer is read directly: one character at a time, and the next one
// looked at without taking it. Hitting the end marks the stream as ended (eof),
// after which nothing more is read.

int nextChar(std::istream& in) {
    if (!in.good()) return EOF;
    const int c = in.rdbuf()->sbumpc();
    if (c == EOF) in.setstate(std::ios::eofbit | std::ios::failbit);
    return c;
}

int peekChar(std::istream& in) {
    if (!in.good()) return EOF;
    const int c = in.rdbuf()->sgetc();
    if (c == EOF) in.setstate(std::ios::eofbit);
    return c;
}

// NUL bytes count as white space, so that one can neither cut a word short nor stop the reading.
bool isWhite(int c) { return c == '\0' || std::isspace(static_cast<unsigned char>(c)); }

void skipWhite(std::istream& in) {
    for (int c = peekChar(in); c != EOF && isWhite(c); c = peekChar(in)) nextChar(in);
}

// A UTF-8 byte-order mark (EF BB BF) that an editor put before the first tag.
void skipByteOrderMark(std::istream& in) {
    static constexpr int MARK[3] = {0xEF, 0xBB, 0xBF};
    for (int b : MARK) {
        if (peekChar(in) != b) return;
        nextChar(in);
    }
}

bool endsWord(int c) { return isWhite(c) || c == '{'; }

// ---- Tags ----------------------------------------------------------------------------

// The rest of the line, line feed consumed; characters past the limit are dropped
// with it, so that the tail of an over-long tag is not taken for movetext.
void readTagLine(std::istream& in, char (&line)[TAG_LINE_CHARS + 1]) {
    int n = 0;
    for (int c = nextChar(in); c != EOF && c != '\n'; c = nextChar(in))
        if (n < TAG_LINE_CHARS) line[n++] = static_cast<char>(c);
    line[n] = '\0';
}

struct ResultName {
    const char* text;
    std::size_t compared;  // characters of the tag value that must match
    char code;
};
inline constexpr ResultName RESULT_NAMES[] = {
    {"1-0", 3, 'W'}, {"0-1", 3, 'B'}, {"1/2-1/2", 7, 'D'}, {"*", 1, '*'}};

// value: the text after "Result".
void readResultValue(GameRecord& record, const char* value) {
    while (*value == ' ' || *value == '\t') ++value;
    if (*value) ++value;  // the opening quotation mark
    for (const ResultName& name : RESULT_NAMES) {
        if (std::strncmp(value, name.text, name.compared) != 0) continue;
        std::strcpy(record.resultText, name.text);
        record.resultCode = name.code;
        return;
    }
    throw RecordError(RESULT_ERROR_1);
}

// ---- Moves --------------------------------------------------------------------------------

void reportWord(const GameRecord& record, int ply) { std::printf("move: %s, plyNo:%d\n", record.token, ply); }

[[noreturn]] void refuseMove(const GameRecord& record, int ply, const char* message) {
    printBoard(position.board);
    reportWord(record, ply);
    throw RecordError(message);
}

bool isGenerated(Move move, const CheckInfo& check) {
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const Side s = position.sideToMove;
    const GeneratorKind kind = check.checkers ? GEN_EVASIONS : GEN_ALL;
    const MoveEntry* const end = MOVE_GENERATORS[kind][s](list, check);
    for (const MoveEntry* entry = list; entry != end; ++entry)
        if (entry->move == move) return true;
    return false;
}

// Tests move against the generated moves, makes it and tests the mover's king.
void playReadMove(GameRecord& record, Move move, MadeGameMoves& made) {
    const int ply = made.count() + 1;
    CheckInfo check;
    computeCheckInfo(check);
    if (!isGenerated(move, check)) refuseMove(record, ply, MOVE_NOT_LEGAL_1);
    const Side mover = position.sideToMove;
    made.make(move);
    record.moves[ply - 1] = move;
    if (leavesKingAttacked(move, mover)) refuseMove(record, ply, MOVE_NOT_LEGAL_2);
}

// Skips a comment or variation whose opening character was just read, nested ones included.
void skipNested(std::istream& in, char open, char close) {
    int nesting = 1;
    while (nesting > 0) {
        const int c = nextChar(in);
        if (c == EOF) return;
        if (c == open) ++nesting;
        if (c == close) --nesting;
    }
}

// After an unreadable word: the rest of the game's movetext up to the next line
// that opens a tag (comments skipped whole), so that the next game is read from
// its tags rather than from the middle of this one's moves.
void skipRestOfGame(std::istream& in) {
    bool lineStart = false;
    for (int c = peekChar(in); c != EOF; c = peekChar(in)) {
        if (lineStart && c == '[') return;
        nextChar(in);
        if (c == '{') skipNested(in, '{', '}');
        if (c == '\n') lineStart = true;
        else if (!isWhite(c)) lineStart = false;
    }
}

enum class MovetextEnd { RESULT, END_OF_INPUT, UNREADABLE_WORD };

// Reads the movetext up to the result token, of which resultCharsRead characters
// have then been consumed.
MovetextEnd readMovetext(GameRecord& record, std::istream& in, MadeGameMoves& made, int& resultCharsRead) {
    for (;;) {
        skipWhite(in);
        const int ch = peekChar(in);
        if (ch == EOF) return MovetextEnd::END_OF_INPUT;
        if (ch == '*') {
            if (record.resultCode != '*') throw RecordError(RESULT_STAR_ERROR);
            resultCharsRead = 0;
            return MovetextEnd::RESULT;
        }
        if (std::isdigit(ch)) {
            nextChar(in);
            if (ch == record.resultText[0] && peekChar(in) == record.resultText[1]) {
                resultCharsRead = 1;
                return MovetextEnd::RESULT;
            }
            continue;  // part of a move number
        }
        switch (ch) {
            case '.': case '$': nextChar(in); continue;
            case '{': nextChar(in); skipNested(in, '{', '}'); continue;
            case '(': nextChar(in); skipNested(in, '(', ')'); continue;
            default: break;
        }
        const Move move = readSanToken(record, in);
        if (!move) {
            reportWord(record, made.count() + 1);
            return MovetextEnd::UNREADABLE_WORD;
        }
        // Words past the last ply a record holds are read but not played.
        if (!made.full()) playReadMove(record, move, made);
    }
}

// Reads the rest of the result token. Strictly, every character must be the tag's;
// otherwise only what matches is consumed.
void readResultToken(const GameRecord& record, std::istream& in, int from, bool strict) {
    for (int i = from; record.resultText[i]; ++i) {
        skipWhite(in);
        const int c = peekChar(in);
        if (c == EOF) return;
        if (c != record.resultText[i]) {
            if (strict) throw RecordError(WRONG_END_RESULT_1);
            return;
        }
        nextChar(in);
    }
}

int resultBits(const char* resultText) {
    if (!std::strcmp(resultText, "1-0")) return RESULT_WHITE_WINS;
    if (!std::strcmp(resultText, "0-1")) return RESULT_BLACK_WINS;
    if (!std::strcmp(resultText, "1/2-1/2")) return RESULT_DRAW;
    if (!std::strcmp(resultText, "*")) return 0;
    throw RecordError(WRONG_END_RESULT_2);
}

}  // namespace

bool readPgnTags(GameRecord& record, std::istream& in) {
    record.resultText[0] = '\0';
    record.resultCode = '?';
    skipWhite(in);
    skipByteOrderMark(in);
    skipWhite(in);
    while (peekChar(in) == '[') {
        nextChar(in);
        skipWhite(in);
        char line[TAG_LINE_CHARS + 1];
        readTagLine(in, line);
        if (!std::strncmp(line, "Result", RESULT_TAG_NAME_LENGTH)) readResultValue(record, line + RESULT_TAG_NAME_LENGTH);
        skipWhite(in);
    }
    if (!in.good()) return false;
    if (record.resultCode == '?') throw RecordError(RESULT_ERROR_2);
    return true;
}

Move readSanToken(GameRecord& record, std::istream& in) {
    int n = 0;
    for (int c = peekChar(in); n < SAN_TOKEN_CHARS && c != EOF && !endsWord(c); c = peekChar(in))
        record.token[n++] = static_cast<char>(nextChar(in));
    record.token[n] = '\0';
    return parseSan(record.token);
}

std::uint16_t readPgnGame(GameRecord& record, std::istream& in) {
    record.header = 0;
    if (!readPgnTags(record, in)) return 0;
    MadeGameMoves made;  // every move made is taken back on leaving, whichever way
    int resultCharsRead = 0;
    const MovetextEnd end = readMovetext(record, in, made, resultCharsRead);
    if (end == MovetextEnd::UNREADABLE_WORD) {
        skipRestOfGame(in);
        return 0;
    }
    if (made.count() == 0) {
        // A game without moves: its result token goes too, so that the next game is read whole.
        if (end == MovetextEnd::RESULT) readResultToken(record, in, resultCharsRead, false);
        skipWhite(in);
        return 0;
    }
    if (end == MovetextEnd::RESULT) readResultToken(record, in, resultCharsRead, true);
    record.header = static_cast<std::uint16_t>(made.count() | (resultBits(record.resultText) << RESULT_SHIFT));
    return record.header & RESULT_MASK;
}

bool pgnInputLeft(std::istream& in) {
    skipWhite(in);
    return peekChar(in) != EOF;
}
