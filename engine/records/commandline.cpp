#include "records/commandline.h"


#include "records/converters.h"

namespace {

constexpr int EXIT_FILE_FAILED = 1;

}  // namespace

const char* const CONVERTER_USAGE =
    "       zorvak pgn2game IN.pgn OUT.game   append the decided games of a PGN file to a GAME file\n"
    "       zorvak pgnlist2game LIST OUT.game the same for every PGN file named in LIST, one a line\n"
    "       zorvak game2pgn IN.game OUT.pgn   append the games of a GAME file as PGN text\n"
    "       zorvak game2pos IN.game OUT.db    append one line per position of every game\n";

const char* const CONVERTER_USAGE_NOTES =
    "Games already in the GAME file, unfinished games, games from a set-up position, with a\n"
    "null move or longer than 1023 plies are skipped; a game with an error is rejected alone.\n";

int runConverterCommandLine(int argc, const char* const* argv) {
    const Converter convert = argc == 4 ? converterNamed(argv[1]) : nullptr;
    if (!convert) return EXIT_USAGE;
    return convert(argv[2], argv[3]) ? 0 : EXIT_FILE_FAILED;
}
