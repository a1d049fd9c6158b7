// Numbers and message texts of the game-record tools, in one place.
#pragma once

#include <cstdint>

// ---- Game records -----------------------------------------------------------------
inline constexpr int MAX_GAME_PLIES = 1023;               // moves a GameRecord holds
inline constexpr std::uint16_t PLY_COUNT_MASK = 0x3FFF;   // header bits 0-13: the plies
inline constexpr int RESULT_SHIFT = 14;                   // header bits 14-15: the GameResult
inline constexpr std::uint16_t RESULT_MASK = 0xC000;
inline constexpr int RESULT_BLACK_WINS = 1;               // "0-1"
inline constexpr int RESULT_WHITE_WINS = 2;               // "1-0"
inline constexpr int RESULT_DRAW = 3;                     // "1/2-1/2"
inline constexpr int GAME_WORD_BYTES = 2;                 // each header and move word, little-endian

// ---- PGN text -----------------------------------------------------------------------
inline constexpr int SAN_TOKEN_CHARS = 10;   // a SAN word is cut after this many characters
inline constexpr int RESULT_TEXT_SIZE = 8;   // "1/2-1/2" and its terminating zero
inline constexpr int TAG_LINE_CHARS = 510;   // what is kept of a tag line; the rest is dropped
inline constexpr int RESULT_TAG_NAME_LENGTH = 6;  // "Result"

// ---- Position lines ---------------------------------------------------------------
inline constexpr int POSITION_LINE_SIZE = 160;  // ply, result, FEN (< 96), move, key and tabs

// ---- Messages of the errors raised ------------------------------------------------
inline constexpr const char* RESULT_ERROR_1 = "Result Error 1";
inline constexpr const char* RESULT_ERROR_2 = "Result Error 2";
inline constexpr const char* RESULT_STAR_ERROR = "Result * error";
inline constexpr const char* MOVE_NOT_LEGAL_1 = "MOVE NOT LEGAL 1";
inline constexpr const char* MOVE_NOT_LEGAL_2 = "MOVE NOT LEGAL 2 - check revealed";
inline constexpr const char* WRONG_END_RESULT_1 = "wrong end result 1";
inline constexpr const char* WRONG_END_RESULT_2 = "wrong end result 2";
inline constexpr const char* WRONG_RESULT = "WRONG RESULT";
inline constexpr const char* GAME_RECORD_TOO_LONG = "GAME RECORD TOO LONG";
inline constexpr const char* TRUNCATED_GAME_FILE = "TRUNCATED GAME FILE";
inline constexpr const char* MOVE_NOT_LEGAL_IN_GAME_FILE = "MOVE NOT LEGAL IN GAME FILE";
inline constexpr const char* CANNOT_WRITE_OUTPUT_FILE = "CANNOT WRITE OUTPUT FILE";
