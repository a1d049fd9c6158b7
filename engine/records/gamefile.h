// The GAME file: records of 16-bit little-endian words, a header and the moves,
// back to back without a file header; and the index that keeps it free of duplicates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "records/gamerecord.h"

enum class RecordRead { RECORD, END, CUT };

// Reads the next record and sets resultCode and resultText from its GameResult.
// END at the end of the file, CUT when the file ends inside the record (a write cut
// short); bytes receives the bytes taken, in either case. Raises "WRONG RESULT"
// (GameResult 0), "GAME RECORD TOO LONG" (more plies than a record holds) and
// "NOT A MOVE IN GAME FILE" (a word that is no move at all). Only a RECORD
// changes record.
RecordRead readRecord(GameRecord& record, std::istream& in, std::size_t& bytes);

// readRecord for callers that take a cut record as an error: false at the end,
// "TRUNCATED GAME FILE" raised for a cut one.
bool readGameRecord(GameRecord& record, std::istream& in);

// Writes the header and the moves, 2 × (plies + 1) bytes.
void writeGameRecord(const GameRecord& record, std::ostream& out);
// The same bytes, appended to a buffer.
void appendGameRecord(const GameRecord& record, std::string& bytes);

// Same header (plies and result) and the same moves.
bool gamesEqual(const GameRecord& a, const GameRecord& b);

// The records of a GAME file in memory (2 bytes a ply), found by a hash of their words.
class GameIndex {
public:
    bool contains(const GameRecord& record) const;
    void add(const GameRecord& record);
    std::size_t size() const { return starts_.size(); }

private:
    std::vector<std::uint16_t> words_;  // each record's header, then its moves
    std::unordered_multimap<std::uint64_t, std::size_t> starts_;  // hash -> start in words_
};

// How a GAME file ends: the bytes of its whole records, and those of a record cut
// short after them (0 when there is none).
struct GameFileEnd {
    std::uint64_t wholeBytes = 0;
    std::uint64_t cutBytes = 0;
};

// Adds every record of the GAME file from its current position on; the stream's
// error state is cleared at the end. Raises as readRecord does.
GameFileEnd loadGameIndex(GameIndex& index, std::istream& in);

// True when an equal game is in the index.
bool isDuplicateGame(const GameRecord& record, const GameIndex& index);
