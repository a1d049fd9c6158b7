#include "book/bookfile.h"

#include <string>

bool readBookCount(std::istream& in, long& count) {
    if (!(in >> count)) return false;
    in.ignore(BOOK_COUNT_LINE_SKIP_LIMIT, '\n');
    return true;
}

BookRecordRead readBookRecord(std::istream& in, BookLine& line) {
    const int countByte = in.get();
    if (countByte == std::char_traits<char>::eof()) return BookRecordRead::ENDED;
    if (countByte > BOOK_LINE_MAX_MOVES) return BookRecordRead::TOO_LONG;
    unsigned char bytes[BOOK_LINE_MAX_MOVES * BOOK_MOVE_BYTES];
    const std::streamsize size = std::streamsize{countByte} * BOOK_MOVE_BYTES;
    if (!in.read(reinterpret_cast<char*>(bytes), size)) return BookRecordRead::ENDED;
    line.count = countByte;
    for (int i = 0; i < countByte; ++i)
        line.moves[i] = static_cast<Move>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return BookRecordRead::COMPLETE;
}

bool writeBookFile(std::ostream& out, const BookLine* lines, int lineCount) {
    out << lineCount << '\n';
    for (int i = 0; i < lineCount; ++i) {
        out.put(static_cast<char>(lines[i].count));
        for (int m = 0; m < lines[i].count; ++m) {
            out.put(static_cast<char>(lines[i].moves[m] & 0xFF));
            out.put(static_cast<char>(lines[i].moves[m] >> 8));
        }
    }
    return static_cast<bool>(out.flush());
}
