// Reading the interface's input: whitespace-separated words, integers the way
// "%d" reads them, and the rest of a line. Every read is bounded by its buffer.
#pragma once

#include <cstdio>

#include "front/constants.h"

enum class WordRead {
    WORD,      // buffer holds the word
    TOO_LONG,  // a word of more than 255 characters was consumed whole; buffer holds its first 255
    END,       // end of input, nothing read
};

// Reads the next word; the blank after it stays in the stream.
WordRead readWord(std::FILE* in, char (&word)[WORD_BUFFER_SIZE]);

// Reads an optionally signed decimal integer after any whitespace, clamped to
// +-1e12. False (and the first character that is no digit left in the stream)
// when there is none.
bool readInteger(std::FILE* in, long& value);

// True and consumes it when the next character is c.
bool readCharIf(std::FILE* in, char c);

// Reads the rest of the current line: at most SETBOARD_LINE_LIMIT characters,
// line feed included. The remainder of a longer line is discarded.
void readRestOfLine(std::FILE* in, char (&line)[WORD_BUFFER_SIZE]);
