// zorvak-book LINES.txt OUT.book: builds an opening book from lines in SAN.
#include <iostream>

#include "book/compiler.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zorvak-book LINES.txt OUT.book\n";
        return BOOK_COMPILER_IO_ERROR;
    }
    return runBookCompiler(argv[1], argv[2], std::cerr);
}
