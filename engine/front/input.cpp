#include "front/input.h"

namespace {

inline constexpr long INTEGER_LIMIT = 1'000'000'000'000L;

bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }

int skipBlanks(std::FILE* in) {
    int c = std::getc(in);
    while (isBlank(c)) c = std::getc(in);
    return c;
}

void putBack(std::FILE* in, int c) {
    if (c != EOF) std::ungetc(c, in);
}

}  // namespace

WordRead readWord(std::FILE* in, char (&word)[WORD_BUFFER_SIZE]) {
    int c = skipBlanks(in);
    if (c == EOF) {
        word[0] = '\0';
        return WordRead::END;
    }
    int length = 0;
    bool cut = false;
    for (; c != EOF && !isBlank(c); c = std::getc(in)) {
        if (length < WORD_BUFFER_SIZE - 1)
            word[length++] = static_cast<char>(c);
        else
            cut = true;  // the rest of the word is swallowed, never read as further words
    }
    word[length] = '\0';
    putBack(in, c);
    return cut ? WordRead::TOO_LONG : WordRead::WORD;
}

bool readInteger(std::FILE* in, long& value) {
    int c = skipBlanks(in);
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = std::getc(in);
    if (!isDigit(c)) {
        putBack(in, c);
        return false;
    }
    long magnitude = 0;
    for (; isDigit(c); c = std::getc(in))
        if (magnitude < INTEGER_LIMIT) magnitude = magnitude * 10 + (c - '0');
    putBack(in, c);
    if (magnitude > INTEGER_LIMIT) magnitude = INTEGER_LIMIT;
    value = negative ? -magnitude : magnitude;
    return true;
}

bool readCharIf(std::FILE* in, char expected) {
    const int c = std::getc(in);
    if (c == static_cast<unsigned char>(expected)) return true;
    putBack(in, c);
    return false;
}

void readRestOfLine(std::FILE* in, char (&line)[WORD_BUFFER_SIZE]) {
    int length = 0;
    int c = 0;
    while (length < SETBOARD_LINE_LIMIT && (c = std::getc(in)) != EOF) {
        line[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    line[length] = '\0';
    if (length == SETBOARD_LINE_LIMIT && line[length - 1] != '\n')
        while ((c = std::getc(in)) != EOF && c != '\n') {
        }
}
