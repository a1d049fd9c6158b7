// Game-record tools: PGN games read per second, pgn2game from file to file, and
// the duplicate check against a GAME file of 10,000 games.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "records/converters.h"
#include "records/gamefile.h"
#include "records/pgnreader.h"
#include "records/replay.h"

namespace {

constexpr int PGN_GAMES = 1000;
constexpr int INDEXED_GAMES = 10000;
constexpr int SYNTHETIC_PLIES = 80;

const std::filesystem::path GAMES_DIR = std::filesystem::path(__FILE__).parent_path() / "../../../tests/data/games";

// The real games of the test data, repeated to `count` games.
std::string repeatedGames(int count) {
    std::vector<std::string> games;
    for (const auto& entry : std::filesystem::directory_iterator(GAMES_DIR)) {
        if (entry.path().extension() != ".pgn") continue;
        std::ifstream in(entry.path());
        games.emplace_back((std::ostringstream() << in.rdbuf()).str() + "\n");
    }
    if (games.empty()) std::abort();
    std::string text;
    for (int i = 0; i < count; ++i) text += games[i % games.size()];
    return text;
}

// Distinct records of plausible length: the index never looks at legality.
std::string syntheticGameFile(int count) {
    std::ostringstream out;
    GameRecord record{};
    std::uint32_t seed = 12345;
    for (int g = 0; g < count; ++g) {
        record.header = static_cast<std::uint16_t>(SYNTHETIC_PLIES | (1 + g % 3) << RESULT_SHIFT);
        for (int i = 0; i < SYNTHETIC_PLIES; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const Move move = static_cast<Move>(((seed >> 8) & 0x0FFF) | ((seed >> 30) % 3) << 12);  // kinds 0-2
            record.moves[i] = move ? move : 1;
        }
        writeGameRecord(record, out);
    }
    return out.str();
}

// Standard output to /dev/null while the converters report every game.
class QuietOutput {
public:
    QuietOutput() : saved_(dup(1)) {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~QuietOutput() {
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
    }

private:
    int saved_;
};

std::filesystem::path scratchFile(const char* name) { return std::filesystem::temp_directory_path() / name; }

void BM_ReadPgnGames(benchmark::State& state) {
    const std::string text = repeatedGames(PGN_GAMES);
    ReplayBoard board;
    GameRecord record{};
    QuietOutput quiet;
    for (auto _ : state) {
        std::istringstream in(text);
        int taken = 0;
        while (pgnInputLeft(in)) taken += readPgnGame(board.position(), record, in) != 0;
        if (taken != PGN_GAMES) state.SkipWithError("a game was not taken");
    }
    state.SetItemsProcessed(state.iterations() * PGN_GAMES);
}
BENCHMARK(BM_ReadPgnGames)->Unit(benchmark::kMillisecond);

// pgn2game from a file of 1,000 games (the repeats found as duplicates) into a new GAME file.
void BM_Pgn2gameFile(benchmark::State& state) {
    const std::filesystem::path pgn = scratchFile("zorvak-bench-records.pgn");
    const std::filesystem::path game = scratchFile("zorvak-bench-records.game");
    std::ofstream(pgn) << repeatedGames(PGN_GAMES);
    QuietOutput quiet;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(game);
        state.ResumeTiming();
        int total = 0;
        pgn2game(pgn.c_str(), game.c_str(), total);
    }
    state.SetItemsProcessed(state.iterations() * PGN_GAMES);
    std::filesystem::remove(pgn);
    std::filesystem::remove(game);
}
BENCHMARK(BM_Pgn2gameFile)->Unit(benchmark::kMillisecond);

void BM_LoadGameIndex(benchmark::State& state) {
    const std::string bytes = syntheticGameFile(INDEXED_GAMES);
    for (auto _ : state) {
        std::istringstream in(bytes);
        GameIndex index;
        loadGameIndex(index, in);
        if (index.size() != INDEXED_GAMES) state.SkipWithError("records lost");
    }
    state.SetItemsProcessed(state.iterations() * INDEXED_GAMES);
}
BENCHMARK(BM_LoadGameIndex)->Unit(benchmark::kMillisecond);

void BM_DuplicateLookup(benchmark::State& state) {
    std::istringstream in(syntheticGameFile(INDEXED_GAMES));
    GameIndex index;
    loadGameIndex(index, in);
    in.clear();
    in.seekg(0);
    GameRecord record{};
    readGameRecord(record, in);  // the first game: found
    for (auto _ : state) benchmark::DoNotOptimize(isDuplicateGame(record, index));
}
BENCHMARK(BM_DuplicateLookup);

// pgn2game of 1,000 games appended to a GAME file that already holds 10,000.
void BM_Pgn2gameAgainst10000(benchmark::State& state) {
    const std::filesystem::path pgn = scratchFile("zorvak-bench-records-10k.pgn");
    const std::filesystem::path game = scratchFile("zorvak-bench-records-10k.game");
    const std::string existing = syntheticGameFile(INDEXED_GAMES);
    std::ofstream(pgn) << repeatedGames(PGN_GAMES);
    QuietOutput quiet;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(game, std::ios::binary) << existing;
        state.ResumeTiming();
        int total = 0;
        pgn2game(pgn.c_str(), game.c_str(), total);
    }
    state.SetItemsProcessed(state.iterations() * PGN_GAMES);
    std::filesystem::remove(pgn);
    std::filesystem::remove(game);
}
BENCHMARK(BM_Pgn2gameAgainst10000)->Unit(benchmark::kMillisecond);

}  // namespace
