// zorvak-bench pgnedit IN.pgn OUT.pgn [--copy]: every game of IN rewritten by the PGN
// text editor with the check's edits (text_check_edits.h), or with none (--copy, which
// must give IN back byte for byte). A game that cannot be scanned is copied unchanged
// and named on standard error. Prints the counts.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "command.h"
#include "text_check_edits.h"

namespace {

struct Counts {
    long games = 0, unchanged = 0, plies = 0;
};

std::string editedGame(std::string_view text, bool copy, long number, Counts& counts) {
    const PgnGame game = scanPgnGame(text);
    ++counts.games;
    if (!game.scanned()) {
        std::fprintf(stderr, "game %ld copied unchanged: %s\n", number, game.fault.c_str());
        ++counts.unchanged;
        return std::string(text);
    }
    counts.plies += static_cast<long>(game.moves.size());
    PgnGameEditor editor(game);
    if (!copy) applyCheckEdits(game, editor);
    return editor.text();
}

int runPgnEdit(int argc, char** argv) {
    const bool copy = argc == 4 && !std::strcmp(argv[3], "--copy");
    if (argc != 3 && !copy) {
        std::fprintf(stderr, "usage: zorvak-bench pgnedit IN.pgn OUT.pgn [--copy]\n");
        return EXIT_BAD_INPUT;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zorvak-bench pgnedit: cannot read %s\n", argv[1]);
        return EXIT_BAD_INPUT;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ofstream out(argv[2], std::ios::binary);
    if (!out) {
        std::fprintf(stderr, "zorvak-bench pgnedit: cannot write %s\n", argv[2]);
        return EXIT_BAD_INPUT;
    }
    const PgnFileText file = splitPgnGames(text);
    out << file.preamble;
    Counts counts;
    for (std::string_view game : file.games) out << editedGame(game, copy, counts.games + 1, counts);
    std::printf("games: %ld, plies: %ld, copied unchanged: %ld\n", counts.games, counts.plies, counts.unchanged);
    return out.flush() ? 0 : 1;
}

const bool registered = registerBenchCommand({"pgnedit", "pgnedit IN.pgn OUT.pgn [--copy]", runPgnEdit});

}  // namespace
