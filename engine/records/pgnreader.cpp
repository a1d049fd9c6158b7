#include "records/pgnreader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <strings.h>

#include "board/fen.h"
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

// NUL bytes count as white space, so that one can neither cut a word short nor stop
// the reading; so does the DOS end-of-file mark (Ctrl-Z) that old collections end with.
constexpr int DOS_END_OF_FILE = 0x1A;
bool isWhite(int c) {
    switch (c) {
        case ' ': case '\t': case '\n': case '\r': case '\v': case '\f': case '\0': case DOS_END_OF_FILE: return true;
        default: return false;
    }
}

void skipWhite(std::istream& in) {
    for (int c = peekChar(in); c != EOF && isWhite(c); c = peekChar(in)) nextChar(in);
}

void skipBlanks(std::istream& in) {
    for (int c = peekChar(in); c == ' ' || c == '\t'; c = peekChar(in)) nextChar(in);
}

// The line feed is consumed with the line.
void skipLine(std::istream& in) {
    for (int c = nextChar(in); c != EOF && c != '\n'; c = nextChar(in)) {
    }
}

// A UTF-8 byte-order mark (EF BB BF) that an editor put before the first tag.
void skipByteOrderMark(std::istream& in) {
    static constexpr int MARK[3] = {0xEF, 0xBB, 0xBF};
    for (int b : MARK) {
        if (peekChar(in) != b) return;
        nextChar(in);
    }
}

// A brace comment, a rest-of-line comment (;) or an escape line (%) starting at c,
// the character looked at: skipped whole. False for anything else. Brace comments
// do not nest: the first '}' ends one, so a stray '{' in a comment costs at most
// its own game, never the rest of the file.
bool skipRemark(std::istream& in, int c) {
    if (c == '{') {
        nextChar(in);
        for (int d = nextChar(in); d != EOF && d != '}'; d = nextChar(in)) {
        }
        return true;
    }
    if (c == ';' || c == '%') {
        skipLine(in);
        return true;
    }
    return false;
}

// White space, remarks and byte-order marks: whatever may stand between games.
void skipBetweenGames(std::istream& in) {
    for (;;) {
        skipWhite(in);
        const int c = peekChar(in);
        if (c == 0xEF) {
            skipByteOrderMark(in);
            continue;
        }
        if (!skipRemark(in, c)) return;
    }
}

// ---- Tags ----------------------------------------------------------------------------

struct TagPair {
    char name[TAG_NAME_CHARS + 1];
    char value[TAG_VALUE_CHARS + 1];
};

// Copies text, cut to fit with its terminating zero.
template <std::size_t Size>
void copyCut(char (&to)[Size], const char* text) {
    const std::size_t kept = std::min(std::strlen(text), Size - 1);
    std::memcpy(to, text, kept);
    to[kept] = '\0';
}

template <int Limit>
void keep(char (&text)[Limit + 1], int& length, int c) {
    if (length < Limit) text[length++] = static_cast<char>(c);
}

// One tag pair whose '[' was just read: the name, the value in quotation marks
// (\" and \\ standing for " and \), then the rest of the pair up to its ']' on the
// same line, so that a value with stray quotation marks is still read as one tag. A
// value written without quotation marks is taken up to the ']'. Whatever follows on
// the line (another tag, the movetext) is left for the caller.
void readTagPair(std::istream& in, TagPair& tag) {
    int length = 0;
    skipBlanks(in);
    for (int c = peekChar(in); c != EOF && !isWhite(c) && c != '"' && c != ']'; c = peekChar(in))
        keep<TAG_NAME_CHARS>(tag.name, length, nextChar(in));
    tag.name[length] = '\0';
    skipBlanks(in);
    length = 0;
    if (peekChar(in) == '"') {
        nextChar(in);
        for (int c = peekChar(in); c != EOF && c != '\n'; c = peekChar(in)) {
            nextChar(in);
            if (c == '"') break;
            if (c == '\\' && (peekChar(in) == '"' || peekChar(in) == '\\')) c = nextChar(in);
            keep<TAG_VALUE_CHARS>(tag.value, length, c);
        }
    } else {
        for (int c = peekChar(in); c != EOF && c != '\n' && c != ']'; c = peekChar(in))
            keep<TAG_VALUE_CHARS>(tag.value, length, nextChar(in));
        while (length > 0 && isWhite(tag.value[length - 1])) --length;
    }
    tag.value[length] = '\0';
    for (int c = peekChar(in); c != EOF && c != '\n'; c = peekChar(in)) {
        nextChar(in);
        if (c == ']') break;
    }
}

struct ResultName {
    const char* text;
    std::size_t compared;  // characters of the tag value that must match
    char code;
};
inline constexpr ResultName RESULT_NAMES[] = {
    {"1-0", 3, 'W'}, {"0-1", 3, 'B'}, {"1/2-1/2", 7, 'D'}, {"*", 1, '*'}};

// A value that is none of the four results is kept as it stands (cut to fit),
// with the result code '?': the result word will tell.
void readResultValue(GameRecord& record, const char* value) {
    while (*value == ' ') ++value;
    for (const ResultName& name : RESULT_NAMES) {
        if (std::strncmp(value, name.text, name.compared) != 0) continue;
        std::strcpy(record.resultText, name.text);
        record.resultCode = name.code;
        return;
    }
    copyCut(record.resultText, value);
    record.resultCode = '?';
}

// The next field of a FEN text, and p moved past it.
std::string_view nextField(const char*& p) {
    while (*p == ' ') ++p;
    const char* start = p;
    while (*p && *p != ' ') ++p;
    return {start, static_cast<std::size_t>(p - start)};
}

// Whether a FEN tag sets up the standard initial position (its move counters aside).
bool isStandardStart(const char* fen) {
    const char* standard = START_FEN;
    for (int field = 0; field < FEN_FIELDS_COMPARED; ++field)
        if (nextField(fen) != nextField(standard)) return false;
    return true;
}

// Whether a Variant tag still names chess by its standard rules: the moves of any
// other game may look legal and still mean something else.
bool isStandardVariant(const char* variant) {
    for (const char* name : STANDARD_VARIANTS)
        if (!strcasecmp(variant, name)) return true;
    return false;
}

// ---- Moves --------------------------------------------------------------------------------

std::string wordDetail(const char* label, const char* word, int ply) {
    return std::string(label) + word + ", plyNo:" + std::to_string(ply);
}

// Tests move against the generated moves, makes it and tests the mover's king.
void playReadMove(GameRecord& record, Move move, MadeGameMoves& made) {
    const int ply = made.count() + 1;
    const MadeGameMoves::Test test = made.makeTested(move);
    if (test == MadeGameMoves::Test::NOT_GENERATED)
        throw RecordError(MOVE_NOT_LEGAL_1, wordDetail("move: ", record.token, ply));
    record.moves[ply - 1] = move;
    if (test == MadeGameMoves::Test::KING_ATTACKED)
        throw RecordError(MOVE_NOT_LEGAL_2, wordDetail("move: ", record.token, ply));
}

// ---- Movetext -------------------------------------------------------------------------------

// Characters that end a word (besides white space) when they do not begin it.
bool endsWord(int c) {
    switch (c) {
        case '{': case '}': case '(': case ')': case '[': case ']': case ';': case '$': return true;
        default: return false;
    }
}
// Annotations written as words of their own besides glyphs: the en-passant mark.
constexpr const char* EN_PASSANT_MARK = "e.p.";

using Word = char[MOVETEXT_WORD_CHARS + 1];

// Reads a word; returns its length, of which at most MOVETEXT_WORD_CHARS are kept.
int readWord(std::istream& in, Word& word) {
    int length = 0;
    for (int c = peekChar(in); c != EOF && !isWhite(c) && (length == 0 || !endsWord(c));
         c = peekChar(in)) {
        nextChar(in);
        if (length < MOVETEXT_WORD_CHARS) word[length] = static_cast<char>(c);
        ++length;
    }
    word[length < MOVETEXT_WORD_CHARS ? length : MOVETEXT_WORD_CHARS] = '\0';
    return length;
}

enum class WordKind { MOVE, SKIPPED, RESULT, NULL_MOVE };

bool isResultWord(const char* word) {
    for (const ResultName& name : RESULT_NAMES)
        if (!std::strcmp(word, name.text)) return true;
    return false;
}

bool consistsOf(const char* word, const char* chars) { return word[std::strspn(word, chars)] == '\0'; }

// What a word of the movetext is. For a move, san is set to its text: a move number
// written without a blank before it ("12.e4", "12...Nf6") is left out. Castling
// written with zeros is a move: no dot follows its first digit.
WordKind classifyWord(const char* word, const char*& san) {
    san = word;
    if (isResultWord(word)) return WordKind::RESULT;
    for (const char* nullMove : NULL_MOVE_WORDS)
        if (!std::strcmp(word, nullMove)) return WordKind::NULL_MOVE;
    if (std::isdigit(static_cast<unsigned char>(word[0]))) {
        const char* p = word + std::strspn(word, "0123456789");
        const char* afterDots = p + std::strspn(p, ".");
        if (!*afterDots) return WordKind::SKIPPED;  // a move number: "12", "12.", "12..."
        if (afterDots != p) san = afterDots;
        return WordKind::MOVE;  // with a move glued to it, castling ("0-0"), or no move ("2-0")
    }
    if (word[0] == '$' || consistsOf(word, ANNOTATION_CHARS) || consistsOf(word, ".") ||
        !std::strcmp(word, EN_PASSANT_MARK))
        return WordKind::SKIPPED;
    return WordKind::MOVE;
}

// The result word that ends the movetext must be the one of the Result tag. Where
// the tag is missing or says no result, the word gives the game's result.
void takeResultWord(GameRecord& record, const char* word) {
    if (record.resultCode == '?') {
        readResultValue(record, word);
        return;
    }
    if (!std::strcmp(word, "*")) {
        if (record.resultCode != '*') throw RecordError(RESULT_STAR_ERROR);
        return;
    }
    if (std::strcmp(word, record.resultText) != 0) throw RecordError(WRONG_END_RESULT_1, std::string("result: ") + word);
}

// A movetext that ends without a result word: the game may have been cut short, so
// the Result tag is not taken for its end either.
[[noreturn]] void refuseMissingResult(const GameRecord& record) {
    if (record.resultCode != '?') throw RecordError(RESULT_MISSING);
    throw RecordError(record.resultText[0] ? RESULT_ERROR_1 : RESULT_ERROR_2);
}

// Skips a variation whose '(' was read, nested ones and remarks inside included.
// False when a tag section begins inside it: no variation holds one, so the game
// ended there.
bool skipVariation(std::istream& in) {
    for (int depth = 1; depth > 0;) {
        const int c = peekChar(in);
        if (c == EOF) return true;
        if (c == '[') return false;
        if (skipRemark(in, c)) continue;
        nextChar(in);
        if (c == '(') ++depth;
        if (c == ')') --depth;
    }
    return true;
}

// RESULT: the result word was read. NO_RESULT: the input ended, or the next game's
// tags began, without one. STOPPED: a word the record cannot hold (record.skipReason
// says which).
enum class MovetextEnd { RESULT, NO_RESULT, STOPPED };

MovetextEnd readMovetext(Position& board, GameRecord& record, std::istream& in, MadeGameMoves& made) {
    for (;;) {
        skipWhite(in);
        const int c = peekChar(in);
        if (c == EOF || c == '[') return MovetextEnd::NO_RESULT;
        if (skipRemark(in, c)) continue;
        if (c == '(' || c == ')' || c == ']' || c == '}') {
            nextChar(in);  // a closing one stands alone by mistake and is dropped
            if (c == '(' && !skipVariation(in)) return MovetextEnd::NO_RESULT;
            continue;
        }
        Word word;
        const int length = readWord(in, word);
        const char* san = word;
        switch (classifyWord(word, san)) {
            case WordKind::SKIPPED: continue;
            case WordKind::RESULT: takeResultWord(record, word); return MovetextEnd::RESULT;
            case WordKind::NULL_MOVE: record.skipReason = SKIP_NULL_MOVE; return MovetextEnd::STOPPED;
            case WordKind::MOVE: break;
        }
        // A longer word is no move, however it begins.
        const bool tooLong = length > MOVETEXT_WORD_CHARS || std::strlen(san) > SAN_TOKEN_CHARS;
        copyCut(record.token, san);
        const Move move = tooLong ? 0 : parseSan(board, record.token);
        if (!move) throw RecordError(MOVE_NOT_READABLE, wordDetail("move: ", record.token, made.count() + 1));
        if (made.full()) {
            record.skipReason = SKIP_TOO_LONG;
            return MovetextEnd::STOPPED;
        }
        playReadMove(record, move, made);
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
    record.skipReason = nullptr;
    skipBetweenGames(in);
    while (peekChar(in) == '[') {
        nextChar(in);
        TagPair tag;
        readTagPair(in, tag);
        if (!std::strcmp(tag.name, "Result")) readResultValue(record, tag.value);
        if (!std::strcmp(tag.name, "FEN") && !isStandardStart(tag.value)) record.skipReason = SKIP_SET_UP_POSITION;
        if (!std::strcmp(tag.name, "Variant") && !isStandardVariant(tag.value)) record.skipReason = SKIP_VARIANT;
        skipBetweenGames(in);
    }
    return in.good();
}

std::uint16_t readPgnGame(Position& board, GameRecord& record, std::istream& in) {
    record.header = 0;
    if (!readPgnTags(record, in)) return 0;
    if (record.skipReason) {
        skipToNextGame(in);  // moves from another position or by other rules are not read at all
        return 0;
    }
    MadeGameMoves made(board);  // every move made is taken back on leaving, whichever way
    const MovetextEnd end = readMovetext(board, record, in, made);
    if (end == MovetextEnd::STOPPED) {
        skipToNextGame(in);
        return 0;
    }
    if (made.count() == 0) return 0;
    if (end == MovetextEnd::NO_RESULT) refuseMissingResult(record);
    record.header = static_cast<std::uint16_t>(made.count() | (resultBits(record.resultText) << RESULT_SHIFT));
    return record.header & RESULT_MASK;
}

void skipToNextGame(std::istream& in) {
    if (peekChar(in) == '[') return;  // the game ended where the next one's tags begin
    bool lineStart = false;
    for (int c = peekChar(in); c != EOF; c = peekChar(in)) {
        if (lineStart && c == '[') return;
        if (c == '{' || c == ';' || (c == '%' && lineStart)) {
            skipRemark(in, c);
            lineStart = c != '{';  // the other two end with their line
            continue;
        }
        nextChar(in);
        if (c == '\n') lineStart = true;
        else if (!isWhite(c)) lineStart = false;
    }
}

bool pgnInputLeft(std::istream& in) {
    skipBetweenGames(in);
    return peekChar(in) != EOF;
}
