// Helpers of the book tests: book files built byte by byte, the book entry of
// the current position, moves played on the records, a working directory.
#pragma once

#include <string>
#include <vector>

#include "board/types.h"

// Move codes worked out by hand: from-square << 6 | to-square, kind << 12
// (squares count from a8 = 0 to h1 = 63).
inline constexpr Move E2E4 = (52 << 6) | 36;                // 0x0D24
inline constexpr Move E7E5 = (12 << 6) | 28;                // 0x031C
inline constexpr Move C7C5 = (10 << 6) | 26;                // 0x029A
inline constexpr Move G1F3 = (62 << 6) | 45;                // 0x0FAD
inline constexpr Move B8C6 = (1 << 6) | 18;                 // 0x0052
inline constexpr Move D2D4 = (51 << 6) | 35;                // 0x0CE3
inline constexpr Move D7D5 = (11 << 6) | 27;                // 0x02DB
inline constexpr Move E4E5 = (36 << 6) | 28;                // 0x091C: White's pawn again, illegal for Black
inline constexpr Move E4D5_CAPTURE = (1 << 12) | (36 << 6) | 27;  // exd5, kind 1
inline constexpr Move E4D5_AS_QUIET = (36 << 6) | 27;             // the same squares with the wrong kind
inline constexpr Move E1G1_CASTLE = (13 << 12) | (60 << 6) | 62;  // White's short castling, kind 13
inline constexpr Move F1C4 = (61 << 6) | 34;
inline constexpr Move G8F6 = (6 << 6) | 21;

// A book file: the count line as given, then each record as its count byte
// and the moves little-endian (count byte = the number of moves unless given).
std::string bookRecord(const std::vector<Move>& moves);
std::string bookRecordWithCount(int countByte, const std::vector<Move>& moves);
std::string bookFile(const std::string& countLine, const std::vector<std::vector<Move>>& lines);

// The move of the current position's book entry, 0 when it has none.
Move bookMoveHere();

// Plays moves on the test's undo records after those in use; takeBack undoes them.
void playOnRecords(const std::vector<Move>& moves);
void takeBackFromRecords(const std::vector<Move>& moves);

// A seed whose pick among lineCount lines is `wanted` (1..lineCount).
std::uint32_t seedPicking(long wanted, long lineCount);

// Runs a block in another working directory (the set-up reads the book there).
class InDirectory {
public:
    explicit InDirectory(const std::string& path);
    ~InDirectory();
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    bool entered() const { return !saved_.empty(); }

private:
    std::string saved_;
};

// The repository's opening lines and the book the build made from them.
std::string defaultLinesPath();
std::string builtBookPath();
