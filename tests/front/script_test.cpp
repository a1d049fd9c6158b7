// Conversations with the real engine binary, played from the scripts in
// tests/data/xboard and tests/data/uci (one test each); the steps a script may take are
// described in tests/data/SCRIPTS.md, beside them.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

#include "board/fen.h"
#include "board/makemove.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/engine.h"
#include "support/scratch.h"

namespace {

const std::regex COORDINATE_MOVE("[a-h][1-8][a-h][1-8][qrbn]?");
const std::regex THINKING_LINE(R"((\d+) (-?\d+) (\d+) (\d+)((?: [a-h][1-8][a-h][1-8][qrbn]?)+))");
const std::regex UCI_INFO_LINE(
    R"(info depth (\d+)(?: multipv [1-9]\d*)? score (?:cp|mate) -?\d+(?: lowerbound| upperbound)? nodes \d+ nps \d+ time \d+(?: pv(?: [a-h][1-8][a-h][1-8][qrbn]?)+)?)");
const std::regex BEST_MOVE_LINE(R"(bestmove (\S+)(?: ponder (\S+))?)");

// A coordinate move legal on the test's board.
bool legalWord(const std::string& word) {
    return std::regex_match(word, COORDINATE_MOVE) && isLegalMove(gamePosition, coordinateMove(word));
}

bool isThinkingLine(const std::string& line) {
    return std::regex_match(line, THINKING_LINE) || std::regex_match(line, UCI_INFO_LINE);
}

int depthOf(const std::string& line) {
    return std::stoi(line.rfind("info depth ", 0) == 0 ? line.substr(11) : line);
}

// Scripts by protocol: "xboard/NAME" or "uci/NAME".
std::vector<std::string> scriptNames() {
    std::vector<std::string> names;
    for (const char* protocol : {"xboard", "uci"})
        for (const std::string& name : dataFileNames(protocol, ".txt")) names.push_back(protocol + ("/" + name));
    return names;
}

class Conversation {
public:
    explicit Conversation(const std::string& dir) : dir_(dir), engine_(dir) {}

    // Runs one step; false (with a failure recorded) ends the script.
    bool step(const std::string& op, const std::string& arg) {
        if (op == ">") return send(arg);
        if (op == "<") return expectNext(arg);
        if (op == "~") return skipTo(arg);
        if (op == "log") return waitForLog(arg);
        if (op == "nolog") return noLog(arg);
        if (op == "key") return waitForKey(arg);
        if (op == "board") return startBoard(arg);
        if (op == "avoid") return avoidCapture();
        if (op == "thinking") return checkThinking();
        if (op == "quiet") return thinking_.empty() || fail("thinking lines after all: " + thinking_[0]);
        if (op == "absent") return noThinkingLineMatches(arg);
        if (op == "forget") return thinking_.clear(), true;
        if (op == "signal") return engine_.sendSignal(arg == "INT" ? SIGINT : SIGTERM), true;
        if (op == "play") return playRandomly(std::stoi(arg));
        if (op == "eof") return engine_.closeInput(), true;
        if (op == "exit") return expectExit(std::stoi(arg));
        if (op == "book") return true;
        return fail("unknown step " + op);
    }

    // A script that leaves the engine running ends it the usual way.
    void finish() {
        if (!engine_.running()) return;
        engine_.send("quit");
        EXPECT_EQ(engine_.finish(HANG_LIMIT_MS), 0) << "the engine did not end cleanly after quit";
    }

private:
    bool fail(const std::string& why) {
        ADD_FAILURE() << why << "\noutput so far:\n" << seen_;
        return false;
    }

    bool send(const std::string& text) {
        std::string line = text;
        for (const auto& [name, value] : {std::pair{"$1", capture_}, {"$2", capture2_}, {"$DATA", dataPath("")}})
            for (std::size_t at; (at = line.find(name)) != std::string::npos;) line.replace(at, std::strlen(name), value);
        if (tracking_ && legalWord(line)) playMoves({line});
        if (tracking_ && line.rfind("position ", 0) == 0) followPosition(line);
        engine_.send(line);
        return true;
    }

    // ---- The test's own board --------------------------------------------------------
    bool startBoard(const std::string& fen) {
        setUpOrFail(fen.c_str());
        tracking_ = true;
        return true;
    }

    bool engineMoved(const std::string& text) {
        if (!legalWord(text)) return tracking_ = false, fail("illegal move " + text + " in " + currentFen());
        return playMoves({text}), true;
    }

    // A position line as a UCI engine must take it: all of it, or (refused) none of it.
    void followPosition(const std::string& line) {
        const std::string before = currentFen();
        std::istringstream words(line.substr(9));
        std::string word, fen;
        words >> word;
        if (word == "startpos") fen = START_FEN;
        if (word == "fen")
            while (words >> word && word != "moves") fen += word + " ";
        bool good = !fen.empty() && setUpBoard(gamePosition, fen.c_str());
        if (good && word != "moves") words >> word;
        while (good && words >> word) {
            if ((good = legalWord(word))) playMoves({word});
        }
        if (!good) setUpOrFail(before.c_str());
    }

    bool bestMoveLegal(const std::string& line) {
        std::smatch words;
        if (!std::regex_match(line, words, BEST_MOVE_LINE)) return fail("malformed " + line);
        MoveEntry legal[MAX_MOVES_PER_POSITION];
        if (words[1] == "0000") return generateLegalMoves(gamePosition, legal) == 0 || fail("bestmove 0000 with legal moves in " + currentFen());
        const std::string move = words[1], reply = words[2];
        if (!legalWord(move)) return fail("illegal bestmove " + move + " in " + currentFen());
        if (reply.empty()) return true;
        const std::string before = currentFen();
        playMoves({move});
        const bool replyLegal = legalWord(reply);
        setUpOrFail(before.c_str());
        return replyLegal || fail("illegal ponder move " + reply + " after " + move + " in " + before);
    }

    bool avoidCapture() {
        MoveEntry legal[MAX_MOVES_PER_POSITION];
        const int count = generateLegalMoves(gamePosition, legal);
        for (int i = 0; i < count; ++i)
            if (moveText(legal[i].move) != capture_) return capture_ = moveText(legal[i].move), true;
        return fail("no other legal move than " + capture_);
    }

    // The next output line; thinking lines are noted for the next check.
    bool nextLine(std::string& line) {
        line = engine_.nextLine(HANG_LIMIT_MS);
        if (engine_.timedOut) return false;
        seen_ += line + "\n";
        if (isThinkingLine(line)) thinking_.push_back(line);
        else if (line.rfind("info depth", 0) == 0) return fail("malformed info line: " + line);
        if (tracking_ && line.rfind("move ", 0) == 0) return engineMoved(line.substr(5));
        if (tracking_ && line.rfind("bestmove", 0) == 0) return bestMoveLegal(line);
        return true;
    }

    bool matchLine(const std::string& line, const std::string& pattern) {
        std::smatch match;
        if (!std::regex_match(line, match, std::regex(pattern))) return false;
        if (match.size() > 1) capture_ = match[1];
        if (match.size() > 2) capture2_ = match[2];
        return true;
    }

    bool expectNext(const std::string& pattern) {
        std::string line;
        do {
            if (!nextLine(line)) return fail("no line matching " + pattern);
        } while (isThinkingLine(line));
        if (matchLine(line, pattern)) return true;
        return fail("expected " + pattern + ", got: " + line);
    }

    bool skipTo(const std::string& pattern) {
        std::string line;
        while (nextLine(line))
            if (matchLine(line, pattern)) return true;
        return fail("no line matching " + pattern);
    }

    bool waitForLog(const std::string& pattern) {
        const auto found = [&](const std::string& text) {
            const std::vector<std::string> lines = splitLines(text);
            for (std::size_t i = logCursor_; i < lines.size(); ++i)
                if (matchLine(lines[i], pattern)) return logCursor_ = i + 1, true;
            return false;
        };
        if (waitForFile(dir_ + "/Zorvak.log", found)) return true;
        return fail("no log line matching " + pattern + "; log:\n" + readFile(dir_ + "/Zorvak.log"));
    }

    bool noLog(const std::string& pattern) {
        for (const std::string& line : splitLines(readFile(dir_ + "/Zorvak.log")))
            if (std::regex_match(line, std::regex(pattern))) return fail("logged: " + line);
        return true;
    }

    // A key line worked out beforehand, or the key of the test's board.
    bool waitForKey(const std::string& line) {
        if (line.empty() && !tracking_) return fail("key without a board");
        return waitForLog("^" + (line.empty() ? keyLogLine(gamePosition.hashKey) : line) + "$");
    }

    bool playRandomly(int moves) {
        for (int i = 0; i < moves; ++i) {
            MoveEntry legal[MAX_MOVES_PER_POSITION];
            const int count = generateLegalMoves(gamePosition, legal);
            if (count == 0) return true;  // the test's side is mated or stalemated
            for (const char* line : {"time 500", "otim 500"}) engine_.send(line);
            send(moveText(legal[random_() % count].move));
            std::string line;
            do {
                if (!nextLine(line)) return fail("no reply");
                if (std::regex_match(line, std::regex("(1-0|0-1|1/2-1/2) .*"))) return true;
            } while (line.rfind("move ", 0) != 0);
        }
        return true;
    }

    bool checkThinking() {
        std::vector<int> depths;
        for (const std::string& line : thinking_) depths.push_back(depthOf(line));
        thinking_.clear();
        if (depths.size() >= 2 && std::is_sorted(depths.begin(), depths.end()) && depths.back() > depths.front())
            return true;
        return fail("thinking lines without rising depths");
    }

    bool noThinkingLineMatches(const std::string& pattern) {
        for (const std::string& line : thinking_)
            if (std::regex_match(line, std::regex(pattern))) return fail("thinking line matching " + pattern + ": " + line);
        return true;
    }

    bool expectExit(int status) {
        const int actual = engine_.waitForExit(HANG_LIMIT_MS);
        if (actual == status) return true;
        return fail("exit status " + std::to_string(actual) + ", expected " + std::to_string(status));
    }

    std::string dir_;
    EngineProcess engine_;
    std::mt19937 random_{20261206};
    std::string capture_, capture2_;
    std::string seen_;
    std::vector<std::string> thinking_;
    std::size_t logCursor_ = 0;
    bool tracking_ = false;
};

// "FEN | MOVES": the key log line of the game that plays the moves from FEN (or startpos).
std::string keyAfter(const std::string& arg) {
    const std::string start = trimmed(arg.substr(0, arg.find('|')));
    setUpOrFail(start == "startpos" ? START_FEN : start.c_str());
    if (arg.find('|') != std::string::npos) playMoves(splitWords(arg.substr(arg.find('|') + 1)));
    return keyLogLine(gamePosition.hashKey);
}

class ProtocolScript : public ::testing::TestWithParam<std::string> {};

TEST_P(ProtocolScript, Conversation) {
    std::ifstream in(std::string(ZORVAK_TEST_DATA) + "/" + GetParam() + ".txt");
    std::vector<std::pair<std::string, std::string>> steps;
    for (std::string line; std::getline(in, line);) {
        if (trimmed(line).empty() || line[0] == '#') continue;
        const std::size_t blank = line.find(' ');
        steps.emplace_back(line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1));
    }
    ASSERT_FALSE(steps.empty());
    for (auto& [op, arg] : steps)  // keys worked out before the test's own board is set up
        if (op == "key" && !arg.empty()) arg = keyAfter(arg);
    TempDir dir;
    for (const auto& [op, arg] : steps)
        if (op == "book") std::filesystem::copy_file(std::filesystem::path(ZORVAK_BINARY).parent_path() / "Zorvak.book",
                                                     dir.file("Zorvak.book"));
    Conversation conversation(dir.path);
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (!conversation.step(steps[i].first, steps[i].second)) {
            ADD_FAILURE() << GetParam() << ".txt step " << i + 1 << ": " << steps[i].first << " " << steps[i].second;
            break;
        }
    conversation.finish();
}

INSTANTIATE_TEST_SUITE_P(Scripts, ProtocolScript, ::testing::ValuesIn(scriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& script) { return identifierOf(script.param); });

}  // namespace
