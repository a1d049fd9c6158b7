// The book file's format: a count line in text, then one record per line, a
// count byte and that many 16-bit little-endian Move codes.
#pragma once

#include <istream>
#include <ostream>

#include "book/book.h"

// Reads the count and skips the rest of the first line; false when no number
// could be read.
bool readBookCount(std::istream& in, long& count);

enum class BookRecordRead {
    COMPLETE,   // the whole record is in line
    ENDED,      // the file ended before or inside the record
    TOO_LONG,   // the count byte exceeds BOOK_LINE_MAX_MOVES; nothing was read after it
};
BookRecordRead readBookRecord(std::istream& in, BookLine& line);

// Writes the count line and the records; false when the stream fails.
bool writeBookFile(std::ostream& out, const BookLine* lines, int lineCount);
