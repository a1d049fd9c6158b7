#include "records/converters.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/log.h"
#include "records/appendfile.h"
#include "records/gamefile.h"
#include "records/pgnreader.h"
#include "records/progress.h"
#include "records/recordtext.h"
#include "records/replay.h"

namespace {

// Input files are opened only when they exist; a directory opens on some systems
// and would read as an empty file, so it is refused too.
bool openInput(std::ifstream& in, const char* path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    in.open(path, std::ios::in | std::ios::binary);
    return in.is_open();
}

// ---- Reports ----------------------------------------------------------------------

void warnRejected(int game, const RecordError& error, const char* file) {
    const std::string& detail = error.detail();
    std::printf("Warning: game %d (rejected: %s%s%s) file: %s\n", game, error.what(), detail.empty() ? "" : ", ",
                detail.c_str(), file);
}

void warnSkipped(int game, const char* reason, const char* file) {
    if (reason)
        std::printf("Warning: game %d (skipped: %s) file: %s\n", game, reason, file);
    else
        std::printf("Warning: game %d (skipped) file: %s\n", game, file);
}

void warnCut(const char* file, std::uint64_t bytes, const char* consequence) {
    std::printf("Warning: GAME file %s ends with a record cut short (%llu bytes): %s\n", file,
                static_cast<unsigned long long>(bytes), consequence);
}

void reportRejected(int rejected) { std::printf("rejected with an error: %d games.\n", rejected); }

// ---- PGN to GAME ------------------------------------------------------------------

// The GAME file the PGN games go to, and the games already in it.
struct GameOutput {
    const char* name;
    AppendFile file;
    GameIndex index;
};

// Opens the GAME file and reads the games in it; a record cut short at its end is
// cut away, so that the new ones follow the last whole record. False (reported)
// when the file cannot be opened or holds a broken record: nothing may be added
// behind one, where no reader could find it.
bool openGameOutput(GameOutput& out, const char* gameFile) {
    out.name = gameFile;
    if (!out.file.open(gameFile)) {
        std::printf("Cannot create GAME output file: '%s'\n", gameFile);
        return false;
    }
    std::ifstream in(gameFile, std::ios::in | std::ios::binary);
    GameFileEnd end;
    try {
        end = loadGameIndex(out.index, in);
    } catch (const RecordError& error) {
        std::printf("ERROR: %s file: %s\n", error.what(), gameFile);
        return false;
    }
    if (end.cutBytes == 0) return true;
    warnCut(gameFile, end.cutBytes, "removed before appending");
    if (out.file.cutTo(end.wholeBytes)) return true;
    std::printf("ERROR: %s file: %s\n", CANNOT_WRITE_OUTPUT_FILE, gameFile);
    return false;
}

struct PgnCounts {
    int converted = 0;
    int skipped = 0;
    int rejected = 0;
};

// Every game of one PGN file to the GAME file; false when writing failed.
bool convertPgnFile(Position& board, std::istream& pgn, const char* pgnFile, GameOutput& out, int& total,
                    Progress& progress) {
    const int writtenBefore = out.file.gamesWritten();
    PgnCounts counts;
    GameRecord record;
    std::string bytes;
    bool written = true;
    try {
        for (int game = 1; pgnInputLeft(pgn); ++game) {
            progress.tick();
            try {
                if (!readPgnGame(board, record, pgn)) {
                    ++counts.skipped;
                    warnSkipped(game, record.skipReason, pgnFile);
                    continue;
                }
            } catch (const RecordError& error) {
                ++counts.rejected;
                warnRejected(game, error, pgnFile);
                skipToNextGame(pgn);
                continue;
            }
            if (out.index.contains(record)) {
                ++counts.skipped;
                warnSkipped(game, nullptr, pgnFile);
                continue;
            }
            bytes.clear();
            appendGameRecord(record, bytes);
            out.file.add(bytes);
            out.index.add(record);
        }
        out.file.flush();
    } catch (const RecordError&) {
        written = false;  // the only error left to reach here: a write that failed
    }
    counts.converted = out.file.gamesWritten() - writtenBefore;
    total += counts.converted;
    std::printf("converted: %d games. (skipped: %d)\n", counts.converted, counts.skipped);
    reportRejected(counts.rejected);
    if (!written) {
        std::printf("ERROR: %s file: %s\n", CANNOT_WRITE_OUTPUT_FILE, out.name);
        return false;
    }
    std::printf("file: %s \t\tfinished\n", pgnFile);
    logLine("<<< OK:\t%s\t>>>", pgnFile);
    return true;
}

// ---- GAME to text -----------------------------------------------------------------

// Runs appendGame over every record of the GAME file into out and reports. A
// record that cannot be replayed is rejected; a broken one ends the conversion,
// with the games before it kept.
template <typename AppendGame>
bool convertGameRecords(std::istream& game, const char* gameFile, AppendFile& out, AppendGame appendGame) {
    ReplayBoard board;
    Progress progress;
    GameRecord record;
    std::string text;
    int rejected = 0;
    const char* error = nullptr;
    try {
        std::size_t bytes = 0;
        for (int number = 1;; ++number) {
            RecordRead read = RecordRead::END;
            try {
                read = readRecord(record, game, bytes);
            } catch (const RecordError& broken) {
                error = broken.what();
                break;
            }
            if (read == RecordRead::END) break;
            if (read == RecordRead::CUT) {
                warnCut(gameFile, bytes, "read up to the last whole record");
                break;
            }
            progress.tick();
            text.clear();
            try {
                appendGame(board.position(), record, text);
            } catch (const RecordError& refused) {
                ++rejected;
                warnRejected(number, refused, gameFile);
                continue;
            }
            out.add(text);
        }
        out.flush();  // the games before a broken record are kept
    } catch (const RecordError& failed) {
        error = failed.what();  // a write that failed
    }
    if (error)
        std::printf("ERROR: %s\n", error);
    else
        std::printf("OK\n");
    std::printf("converted: %d games.\n", out.gamesWritten());
    reportRejected(rejected);
    return !error;
}

// Opens both files of game2pgn and game2pos, reporting a failure with kind, the output's name.
bool openGameConversion(std::ifstream& game, const char* gameFile, AppendFile& out, const char* outFile,
                        const char* kind) {
    if (!openInput(game, gameFile)) {
        std::printf("Cannot open GAME input file: '%s'\n", gameFile);
        return false;
    }
    if (!out.open(outFile)) {
        std::printf("Cannot create %s output file: '%s'\n", kind, outFile);
        return false;
    }
    return true;
}

bool pgn2gameCommand(const char* pgnFile, const char* gameFile) {
    int total = 0;
    return pgn2game(pgnFile, gameFile, total);
}

struct NamedConverter {
    const char* word;
    Converter convert;
};
constexpr NamedConverter CONVERTERS[] = {
    {"pgn2game", pgn2gameCommand}, {"pgnlist2game", pgnlist2game}, {"game2pgn", game2pgn}, {"game2pos", game2pos}};

}  // namespace

bool pgn2game(const char* pgnFile, const char* gameFile, int& total) {
    std::ifstream pgn;
    if (!openInput(pgn, pgnFile)) {
        std::printf("Cannot open PGN input file: '%s'\n", pgnFile);
        return false;
    }
    GameOutput out;
    if (!openGameOutput(out, gameFile)) return false;
    ReplayBoard board;
    Progress progress;
    return convertPgnFile(board.position(), pgn, pgnFile, out, total, progress);
}

bool pgnlist2game(const char* listFile, const char* gameFile) {
    std::ifstream list;
    if (!openInput(list, listFile)) {
        std::printf("Cannot open PGN input file: '%s'\n", listFile);
        return false;
    }
    GameOutput out;
    if (!openGameOutput(out, gameFile)) return false;
    ReplayBoard board;
    Progress progress;
    int total = 0;
    bool allRead = true;
    for (std::string name; std::getline(list, name);) {
        if (!name.empty() && name.back() == '\r') name.pop_back();  // a list written with CRLF line ends
        std::ifstream pgn;
        if (!openInput(pgn, name.c_str())) {
            std::printf("Cannot open PGN input file: '%s'\n", name.c_str());
            allRead = false;
            continue;
        }
        if (!convertPgnFile(board.position(), pgn, name.c_str(), out, total, progress)) {
            allRead = false;
            break;  // the GAME file cannot be written: neither can the next file's games
        }
    }
    std::printf("\nCONVERTED GAMES: %d\n", total);
    return allRead;
}

bool game2pgn(const char* gameFile, const char* pgnFile) {
    std::ifstream game;
    AppendFile pgn;
    if (!openGameConversion(game, gameFile, pgn, pgnFile, "PGN")) return false;
    return convertGameRecords(game, gameFile, pgn, appendPgnGame);
}

bool game2pos(const char* gameFile, const char* dbFile) {
    std::ifstream game;
    AppendFile db;
    if (!openGameConversion(game, gameFile, db, dbFile, "DB")) return false;
    return convertGameRecords(game, gameFile, db, appendPositionLines);
}

Converter converterNamed(const char* word) {
    for (const NamedConverter& named : CONVERTERS)
        if (!std::strcmp(word, named.word)) return named.convert;
    return nullptr;
}
