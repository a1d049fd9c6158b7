// Numbers and message texts of the game-record tools, in one place.
#pragma once

#include <cstddef>
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
inline constexpr int SAN_TOKEN_CHARS = 10;   // a longer move is no move
inline constexpr int MOVETEXT_WORD_CHARS = 32;  // a move number and a move written as one word
inline constexpr int RESULT_TEXT_SIZE = 8;   // "1/2-1/2" and its terminating zero
inline constexpr int TAG_NAME_CHARS = 31;    // what is kept of a tag's name and value;
inline constexpr int TAG_VALUE_CHARS = 127;  // the rest is read and dropped
// Variant tag values that still mean chess by its standard rules (compared without case).
inline constexpr const char* STANDARD_VARIANTS[] = {"standard", "chess", "normal", "from position"};
inline constexpr int FEN_FIELDS_COMPARED = 4;  // placement, side, castling, en passant: the counters do not matter
// Words that stand for a null move ("--" in most programs, "Z0" in some).
inline constexpr const char* NULL_MOVE_WORDS[] = {"--", "Z0"};
// Annotations written as words of their own ("!?", "+-", "=") carry no move.
inline constexpr const char* ANNOTATION_CHARS = "!?+-=/#";

// ---- Position lines ---------------------------------------------------------------
inline constexpr int POSITION_LINE_SIZE = 160;  // ply, result, FEN (< 96), move, key and tabs

// ---- Output files --------------------------------------------------------------------
// Whole games are gathered into writes of about this size; a write that fails is cut
// back off the file, so that it never ends inside a game.
inline constexpr std::size_t APPEND_CHUNK_BYTES = 16 * 1024;
inline constexpr unsigned OUTPUT_FILE_MODE = 0644;

// ---- Progress line ---------------------------------------------------------------------
inline constexpr long PROGRESS_CHECK_GAMES = 256;     // the clock is looked at every so many games
inline constexpr int PROGRESS_FIRST_MS = 1000;        // short conversions draw nothing
inline constexpr int PROGRESS_INTERVAL_MS = 250;

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
inline constexpr const char* NOT_A_MOVE_IN_GAME_FILE = "NOT A MOVE IN GAME FILE";
inline constexpr const char* CANNOT_WRITE_OUTPUT_FILE = "CANNOT WRITE OUTPUT FILE";
inline constexpr const char* MOVE_NOT_READABLE = "MOVE NOT READABLE";
inline constexpr const char* RESULT_MISSING = "RESULT MISSING";

// ---- Why a game that was read is not stored ---------------------------------------------
inline constexpr const char* SKIP_SET_UP_POSITION = "set-up start position";
inline constexpr const char* SKIP_VARIANT = "not standard chess";
inline constexpr const char* SKIP_NULL_MOVE = "null move";
inline constexpr const char* SKIP_TOO_LONG = "more than 1023 plies";
