// Reading the interface's input: whitespace-separated words, integers the way
// "%d" reads them, decimals, and the rest of a line; and the command loop's view
// of it, with every word logged as received and one word that can be held back to
// be dispatched next. Every read is bounded by its buffer.
#pragma once

#include "base/inbox.h"
#include "front/constants.h"

enum class WordRead {
    WORD,      // buffer holds the word
    TOO_LONG,  // a word of more than 255 characters was consumed whole; buffer holds its first 255
    END,       // end of input, nothing read
};

// Reads the next word; the blank after it stays in the input.
WordRead readWord(Inbox& in, char (&word)[WORD_BUFFER_SIZE]);

// Reads the next word of the current line; END at the end of the line (its line
// feed stays in the input) or of the input.
WordRead readWordOnLine(Inbox& in, char (&word)[WORD_BUFFER_SIZE]);
// Reads the next word of the current line as an integer (as readInteger reads one,
// the whole word); false when there is none or the word is no integer.
bool readIntegerOnLine(Inbox& in, long& value);
// Skips the rest of the current line, its line feed included.
void skipRestOfLine(Inbox& in);

// Reads an optionally signed decimal integer after any blanks on the current line,
// clamped to +-1e12. False (and the first character that is no digit, or the line
// feed, left in the input) when there is none: a command sent without its number
// never waits for the next line.
bool readInteger(Inbox& in, long& value);

// Reads a non-negative decimal number such as 12, 0.1 or .5 after any blanks on the
// current line, in thousandths (0.1 gives 100; further digits are dropped). False when there is none.
bool readThousandths(Inbox& in, long& thousandths);

// True and consumes it when the next character is c.
bool readCharIf(Inbox& in, char c);

// Reads the rest of the current line: at most SETBOARD_LINE_LIMIT characters,
// line feed included. The remainder of a longer line is discarded.
void readRestOfLine(Inbox& in, char (&line)[WORD_BUFFER_SIZE]);

// The command loop's input.
class CommandInput {
public:
    explicit CommandInput(Inbox& inbox) : inbox_(inbox) {}
    CommandInput(const CommandInput&) = delete;
    CommandInput& operator=(const CommandInput&) = delete;

    // Where a command reads its arguments.
    Inbox& args() { return inbox_; }
    // The next word: the one held back, else a fresh one, logged as received
    // ("::cmd:: "); an over-long word is logged as ignored instead.
    WordRead next(char (&word)[WORD_BUFFER_SIZE]);
    // Holds a word just read by next() so that next() returns it again (without a
    // second log line).
    void hold(WordRead read, const char* word);
    // Holds a word read from args() as an argument that turned out to be the next
    // command: logged now, as next() would have.
    void holdUnlogged(WordRead read, const char* word);
    bool holding() const { return holding_; }
    // Whether the next word and the arguments on its line can be read without waiting.
    bool ready();
    // Whether the next word is already here: a held one or a whole word waiting.
    bool wordReady();

private:
    Inbox& inbox_;
    bool holding_ = false;
    WordRead heldRead_ = WordRead::END;
    char held_[WORD_BUFFER_SIZE] = {};
};
