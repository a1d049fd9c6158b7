#include "analysis/annotatefile.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "analysis/progressline.h"
#include "records/pgngame.h"

namespace {

bool readWholeFile(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The games annotated by the jobs, handed to the writer in the input's order.
class Results {
public:
    explicit Results(std::size_t count) : games_(count) {}

    void put(std::size_t index, AnnotatedGame game) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            games_[index] = std::move(game);
        }
        ready_.notify_one();
    }
    AnnotatedGame take(std::size_t index) {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [&] { return games_[index].has_value(); });
        AnnotatedGame game = std::move(*games_[index]);
        games_[index].reset();
        return game;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::optional<AnnotatedGame>> games_;
};

// Each job takes the next game not yet taken and annotates it with an analyser of its own.
void runJob(const std::vector<std::string_view>& games, std::atomic<std::size_t>& next, Results& results,
            const AnnotateOptions& options) {
    Analyser analyser;
    for (std::size_t i = next++; i < games.size(); i = next++) results.put(i, annotateGame(games[i], analyser, options));
}

struct Counts {
    int analysed = 0, copied = 0;
    long moves = 0;
};

}  // namespace

bool annotateFile(const char* inFile, const char* outFile, const AnnotateOptions& options, int jobs) {
    std::string input;
    if (!readWholeFile(inFile, input)) {
        std::printf("Cannot open PGN input file: '%s'\n", inFile);
        return false;
    }
    std::ofstream out(outFile, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::printf("Cannot create PGN output file: '%s'\n", outFile);
        return false;
    }
    const PgnFileText file = splitPgnGames(input);
    out << file.preamble;

    // The jobs annotate; this thread writes each game as soon as those before it are written.
    Results results(file.games.size());
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    const std::size_t jobCount = std::clamp<std::size_t>(static_cast<std::size_t>(jobs), 1, std::max<std::size_t>(file.games.size(), 1));
    for (std::size_t j = 0; j < jobCount; ++j)
        workers.emplace_back(runJob, std::cref(file.games), std::ref(next), std::ref(results), std::cref(options));
    Counts counts;
    {
        ProgressLine progress("games", static_cast<long>(file.games.size()));
        for (std::size_t i = 0; i < file.games.size(); ++i) {
            const AnnotatedGame game = results.take(i);
            out << game.text;
            if (game.analysed) {
                ++counts.analysed;
                counts.moves += game.analysedMoves;
            } else {
                ++counts.copied;
                std::printf("Warning: game %zu (%s) copied unanalysed\n", i + 1, game.why.c_str());
            }
            progress.done(static_cast<long>(i + 1));
        }
    }
    for (std::thread& worker : workers) worker.join();
    out.flush();
    std::printf("annotated: %d games, %ld moves. (copied unanalysed: %d)\n", counts.analysed, counts.moves,
                counts.copied);
    if (!out) {
        std::printf("ERROR: PGN output file: %s could not be written\n", outFile);
        return false;
    }
    std::printf("file: %s \t\tfinished\n", outFile);
    return true;
}
