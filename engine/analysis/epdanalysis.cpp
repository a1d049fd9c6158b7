#include "analysis/epdanalysis.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/progressline.h"
#include "board/fen.h"
#include "movegen/notation.h"
#include "movegen/san.h"
#include "records/epdline.h"

namespace {

// ce in centipawns; a mate as the 32767-based convention of EPD (32767 - plies to mate).
constexpr int EPD_MATE_SCORE = 32767;

int centipawnEvaluation(int score) {
    if (score > MATE_THRESHOLD) return EPD_MATE_SCORE - (MATE_SCORE - score);
    if (score < -MATE_THRESHOLD) return -EPD_MATE_SCORE + (MATE_SCORE + score);
    return score;
}

// The legal moves the operands of an opcode name (SAN, as EPD writes them).
std::vector<Move> movesNamed(Position& pos, const std::vector<std::string>& operands) {
    std::vector<Move> moves;
    for (const std::string& san : operands)
        if (const Move move = parseSan(pos, san.c_str())) moves.push_back(move);
    return moves;
}

bool contains(const std::vector<Move>& moves, Move move) { return std::find(moves.begin(), moves.end(), move) != moves.end(); }

struct Tally {
    int positions = 0, unreadable = 0, judged = 0, solved = 0;
    std::vector<std::string> unsolved;  // what to list: the position's id and the moves
};

std::string idOf(const EpdLine& line, int number) {
    const std::vector<std::string> id = line.operands("id");
    return id.empty() ? "position " + std::to_string(number) : id.front();
}

// Searches one position and sets its opcodes; judges it against bm and am.
void analyseLine(EpdLine& line, int number, Analyser& analyser, const AnalysisLimits& limits, Tally& tally) {
    const auto pos = std::make_unique<Position>();
    if (!setUpBoard(*pos, line.fen().c_str())) {
        ++tally.unreadable;
        std::printf("Warning: line %d: no position the engine can play: %s\n", number, line.position().c_str());
        return;
    }
    // Judged against the moves the file gave, before bm is set to the one found.
    const std::vector<Move> best = movesNamed(*pos, line.operands("bm")), avoid = movesNamed(*pos, line.operands("am"));
    analyser.newGame();
    const PositionAnalysis found = analyser.analyse(*pos, limits);
    if (found.best) {
        line.set("bm", moveToSan(*pos, found.best));
        line.set("pv", lineToSan(*pos, found.line));
    }
    line.set("ce", std::to_string(centipawnEvaluation(found.score)));
    line.set("acd", std::to_string(found.depth));
    line.set("acn", std::to_string(found.nodes));
    if (best.empty() && avoid.empty()) return;
    ++tally.judged;
    if ((best.empty() || contains(best, found.best)) && !contains(avoid, found.best)) return void(++tally.solved);
    tally.unsolved.push_back(idOf(line, number) + ": found " + (found.best ? moveToSan(*pos, found.best) : "no move"));
}

}  // namespace

bool analyseEpdFile(const char* inFile, const char* outFile, const AnalysisLimits& limits) {
    std::ifstream in(inFile, std::ios::binary);
    if (!in) {
        std::printf("Cannot open EPD input file: '%s'\n", inFile);
        return false;
    }
    std::vector<std::string> lines;
    for (std::string text; std::getline(in, text);) lines.push_back(text);
    std::ofstream out(outFile, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::printf("Cannot create EPD output file: '%s'\n", outFile);
        return false;
    }
    Analyser analyser;
    Tally tally;
    {
        ProgressLine progress("positions", static_cast<long>(lines.size()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string fault;
            std::optional<EpdLine> line = EpdLine::read(lines[i], fault);
            if (!line) {
                if (!lines[i].empty()) std::printf("Warning: line %zu (%s) copied unanalysed\n", i + 1, fault.c_str());
                out << lines[i] << '\n';
                continue;
            }
            ++tally.positions;
            analyseLine(*line, static_cast<int>(i + 1), analyser, limits, tally);
            out << line->text() << '\n';
            progress.done(static_cast<long>(i + 1));
        }
    }
    std::printf("analysed: %d positions.", tally.positions);
    if (tally.judged) std::printf(" solved: %d of %d", tally.solved, tally.judged);
    std::printf("\n");
    for (const std::string& unsolved : tally.unsolved) std::printf("  not solved: %s\n", unsolved.c_str());
    out.flush();
    if (!out) {
        std::printf("ERROR: EPD output file: %s could not be written\n", outFile);
        return false;
    }
    return true;
}
