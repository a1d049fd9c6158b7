#include "front/input.h"

#include <cstring>

#include "base/log.h"

namespace {

inline constexpr long INTEGER_LIMIT = 1'000'000'000'000L;
inline constexpr int THOUSANDTHS_DIGITS = 3;

bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }

int skipBlanks(Inbox& in) {
    int c = in.get();
    while (isBlank(c)) c = in.get();
    return c;
}

// A command's arguments stand on its own line: a read never waits for the next one.
int skipBlanksOnLine(Inbox& in) {
    int c = in.get();
    while (c != '\n' && isBlank(c)) c = in.get();
    return c;
}

// Reads digits from c on; the first other character is put back.
long readDigits(Inbox& in, int c) {
    long magnitude = 0;
    for (; isDigit(c); c = in.get())
        if (magnitude < INTEGER_LIMIT) magnitude = magnitude * 10 + (c - '0');
    in.unget(c);
    return magnitude > INTEGER_LIMIT ? INTEGER_LIMIT : magnitude;
}

void logReceived(WordRead read, const char* word) {
    if (read == WordRead::WORD) logLine("::cmd:: %s", word);
    if (read == WordRead::TOO_LONG) logLine("-M: ignored a word longer than %d characters", WORD_BUFFER_SIZE - 1);
}

}  // namespace

WordRead readWord(Inbox& in, char (&word)[WORD_BUFFER_SIZE]) {
    int c = skipBlanks(in);
    if (c == EOF) {
        word[0] = '\0';
        return WordRead::END;
    }
    int length = 0;
    bool cut = false;
    for (; c != EOF && !isBlank(c); c = in.get()) {
        if (length < WORD_BUFFER_SIZE - 1)
            word[length++] = static_cast<char>(c);
        else
            cut = true;  // the rest of the word is swallowed, never read as further words
    }
    word[length] = '\0';
    in.unget(c);
    return cut ? WordRead::TOO_LONG : WordRead::WORD;
}

WordRead readWordOnLine(Inbox& in, char (&word)[WORD_BUFFER_SIZE]) {
    int c = in.get();
    while (c != '\n' && isBlank(c)) c = in.get();
    in.unget(c);
    if (c == '\n' || c == EOF) {
        word[0] = '\0';
        return WordRead::END;
    }
    return readWord(in, word);
}

bool readIntegerOnLine(Inbox& in, long& value) {
    char word[WORD_BUFFER_SIZE];
    if (readWordOnLine(in, word) != WordRead::WORD) return false;
    const char* digits = word + (word[0] == '-' || word[0] == '+');
    if (!isDigit(*digits)) return false;
    long magnitude = 0;
    for (; isDigit(*digits); ++digits)
        if (magnitude < INTEGER_LIMIT) magnitude = magnitude * 10 + (*digits - '0');
    if (*digits != '\0') return false;
    magnitude = magnitude > INTEGER_LIMIT ? INTEGER_LIMIT : magnitude;
    value = word[0] == '-' ? -magnitude : magnitude;
    return true;
}

void skipRestOfLine(Inbox& in) {
    for (int c = in.get(); c != EOF && c != '\n'; c = in.get()) {
    }
}

bool readInteger(Inbox& in, long& value) {
    int c = skipBlanksOnLine(in);
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = in.get();
    if (!isDigit(c)) {
        in.unget(c);
        return false;
    }
    const long magnitude = readDigits(in, c);
    value = negative ? -magnitude : magnitude;
    return true;
}

bool readThousandths(Inbox& in, long& thousandths) {
    const int c = skipBlanksOnLine(in);
    if (!isDigit(c) && c != '.') {
        in.unget(c);
        return false;
    }
    long whole = 0;
    if (isDigit(c))
        whole = readDigits(in, c);
    else
        in.unget(c);
    long fraction = 0;
    if (readCharIf(in, '.')) {
        int digits = 0;
        int d = in.get();
        for (; isDigit(d); d = in.get())
            if (digits < THOUSANDTHS_DIGITS) fraction = fraction * 10 + (d - '0'), ++digits;
        in.unget(d);
        for (; digits < THOUSANDTHS_DIGITS; ++digits) fraction *= 10;
    }
    thousandths = whole * 1000 + fraction;
    return true;
}

bool readCharIf(Inbox& in, char expected) {
    const int c = in.get();
    if (c == static_cast<unsigned char>(expected)) return true;
    in.unget(c);
    return false;
}

void readRestOfLine(Inbox& in, char (&line)[WORD_BUFFER_SIZE]) {
    int length = 0;
    int c = 0;
    while (length < SETBOARD_LINE_LIMIT && (c = in.get()) != EOF) {
        line[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    line[length] = '\0';
    if (length == SETBOARD_LINE_LIMIT && line[length - 1] != '\n')
        while ((c = in.get()) != EOF && c != '\n') {
        }
}

WordRead CommandInput::next(char (&word)[WORD_BUFFER_SIZE]) {
    if (holding_) {
        holding_ = false;
        std::memcpy(word, held_, sizeof held_);
        return heldRead_;
    }
    const WordRead read = readWord(inbox_, word);
    logReceived(read, word);
    return read;
}

void CommandInput::holdUnlogged(WordRead read, const char* word) {
    logReceived(read, word);
    hold(read, word);
}

void CommandInput::hold(WordRead read, const char* word) {
    holding_ = true;
    heldRead_ = read;
    std::strncpy(held_, word, sizeof held_ - 1);
    held_[sizeof held_ - 1] = '\0';
}

bool CommandInput::ready() { return holding_ || inbox_.lineWaiting(); }

bool CommandInput::wordReady() { return holding_ || inbox_.wordWaiting(); }
