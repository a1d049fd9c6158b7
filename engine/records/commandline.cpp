#include "records/commandline.h"

#include <cstdio>
#include <cstring>

#include "records/converters.h"

namespace {

constexpr int EXIT_FILE_FAILED = 1;
constexpr int EXIT_USAGE = 2;

constexpr const char* USAGE =
    "Usage: zorvak                            the chess engine (xboard protocol on standard input)\n"
    "       zorvak pgn2game IN.pgn OUT.game   append the decided games of a PGN file to a GAME file\n"
    "       zorvak pgnlist2game LIST OUT.game the same for every PGN file named in LIST, one a line\n"
    "       zorvak game2pgn IN.game OUT.pgn   append the games of a GAME file as PGN text\n"
    "       zorvak game2pos IN.game OUT.db    append one line per position of every game\n"
    "       zorvak --help                     this text\n"
    "Games already in the GAME file, unfinished games, games from a set-up position, with a\n"
    "null move or longer than 1023 plies are skipped; a game with an error is rejected alone.\n"
    "Exit status: 0 done, 1 a file could not be opened, read or written, 2 wrong arguments.\n";

}  // namespace

int runConverterCommandLine(int argc, const char* const* argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    const Converter convert = argc == 4 ? converterNamed(argv[1]) : nullptr;
    if (!convert) {
        std::fputs(USAGE, stderr);
        return EXIT_USAGE;
    }
    return convert(argv[2], argv[3]) ? 0 : EXIT_FILE_FAILED;
}
