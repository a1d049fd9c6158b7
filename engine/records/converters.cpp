#include "records/converters.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/setup.h"
#include "base/log.h"
#include "records/gamefile.h"
#include "records/pgnreader.h"
#include "records/recordtext.h"

namespace {

// Input files are opened only when they exist; a directory opens on some systems
// and would read as an empty file, so it is refused too.
bool openInput(std::ifstream& in, const char* path, std::ios::openmode mode) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    in.open(path, std::ios::in | mode);
    return in.is_open();
}

// Buffered output reports a failed write only when flushed.
void checkWritten(std::ostream& out) {
    out.flush();
    if (!out) throw RecordError(CANNOT_WRITE_OUTPUT_FILE);
}

void reportPgnCounts(int converted, int skipped) {
    std::printf("converted: %d games. (skipped: %d)\n", converted, skipped);
}

void reportConverted(int converted) { std::printf("converted: %d games.\n", converted); }

void convertPgnGames(std::istream& pgn, std::fstream& game, const char* pgnFile, int& total, int& converted,
                     int& skipped) {
    GameIndex index;
    loadGameIndex(index, game);
    game.seekp(0, std::ios::end);  // reading has ended; from here on the file is appended to
    GameRecord record;
    while (pgnInputLeft(pgn)) {
        if (readPgnGame(record, pgn) && !isDuplicateGame(record, index)) {
            writeGameRecord(record, game);
            index.add(record);
            ++converted;
            ++total;
        } else {
            ++skipped;
            std::printf("Warning: game %d (skipped) file: %s\n", converted + skipped, pgnFile);
        }
    }
    checkWritten(game);
}

// Runs write over every record of the GAME file and reports; an error ends the
// conversion after the report, with what was written so far kept.
template <typename WriteRecord>
void convertGameRecords(std::ifstream& game, std::ostream& out, WriteRecord write) {
    int converted = 0;
    try {
        GameRecord record;
        while (readGameRecord(record, game)) {
            write(record, out);
            ++converted;
        }
        checkWritten(out);
    } catch (const RecordError& error) {
        std::printf("ERROR: %s\n", error.what());
        reportConverted(converted);
        return;
    }
    std::printf("OK\n");
    reportConverted(converted);
}

}  // namespace

void pgn2game(const char* pgnFile, const char* gameFile, int& total) {
    std::ifstream pgn;
    if (!openInput(pgn, pgnFile, std::ios::binary)) {
        std::printf("Cannot open PGN input file: '%s'\n", pgnFile);
        return;
    }
    std::fstream game(gameFile, std::ios::in | std::ios::out | std::ios::app | std::ios::binary);
    if (!game.is_open()) {
        std::printf("Cannot create GAME output file: '%s'\n", gameFile);
        return;
    }
    setPosition(START_FEN, false);
    int converted = 0, skipped = 0;
    try {
        convertPgnGames(pgn, game, pgnFile, total, converted, skipped);
    } catch (const RecordError& error) {
        reportPgnCounts(converted, skipped);
        std::printf("ERROR: %s file: %s\n", error.what(), pgnFile);
        throw;
    }
    reportPgnCounts(converted, skipped);
    std::printf("file: %s \t\tfinished\n", pgnFile);
    logLine("<<< OK:\t%s\t>>>", pgnFile);
}

void pgnlist2game(const char* listFile, const char* gameFile) {
    std::ifstream list;
    if (!openInput(list, listFile, std::ios::openmode{})) {
        std::printf("Cannot open PGN input file: '%s'\n", listFile);
        return;
    }
    int total = 0;
    for (std::string name; std::getline(list, name);) {
        if (!name.empty() && name.back() == '\r') name.pop_back();  // a list written with CRLF line ends
        try {
            pgn2game(name.c_str(), gameFile, total);
        } catch (const RecordError&) {
            // Reported by pgn2game, the position restored: the next file is converted.
        }
    }
    std::printf("\nCONVERTED GAMES: %d\n", total);
}

void game2pgn(const char* gameFile, const char* pgnFile) {
    std::ifstream game;
    if (!openInput(game, gameFile, std::ios::binary)) {
        std::printf("Cannot open GAME input file: '%s'\n", gameFile);
        return;
    }
    std::ofstream pgn(pgnFile, std::ios::app);
    if (!pgn.is_open()) {
        std::printf("Cannot create PGN output file: '%s'\n", pgnFile);
        return;
    }
    convertGameRecords(game, pgn, writePgnGame);
}

void game2pos(const char* gameFile, const char* dbFile) {
    std::ifstream game;
    if (!openInput(game, gameFile, std::ios::binary)) {
        std::printf("Cannot open GAME input file: '%s'\n", gameFile);
        return;
    }
    std::ofstream db(dbFile, std::ios::app);
    if (!db.is_open()) {
        std::printf("Cannot create DB output file: '%s'\n", dbFile);
        return;
    }
    setPosition(START_FEN, false);
    convertGameRecords(game, db, writePositionLines);
}
