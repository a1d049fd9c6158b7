#include "records/recordtext.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "movegen/notation.h"
#include "records/gamemoves.h"

namespace {

// Calls atPly(ply, move) in the position before each move, then makes the move,
// which must be legal there.
template <typename AtPly>
void replay(Position& board, const GameRecord& record, AtPly atPly) {
    MadeGameMoves made(board);  // taken back on leaving, also when a move is refused
    for (int ply = 1; ply <= pliesOf(record); ++ply) {
        const Move move = record.moves[ply - 1];
        atPly(ply, move);
        if (made.makeTested(move) != MadeGameMoves::Test::LEGAL)
            throw RecordError(MOVE_NOT_LEGAL_IN_GAME_FILE, "ply " + std::to_string(ply));
    }
}

// ply, result code, FEN, move and key, tab-separated (std::to_chars: a database of
// millions of lines is written at the speed of its formatting).
void appendPositionLine(const Position& board, std::string& lines, int ply, char resultCode, Move move) {
    static_assert(POSITION_LINE_SIZE >= 4 + 3 + FEN_BUFFER_SIZE + MOVE_TEXT_SIZE + 22, "ply, code, FEN, move, key");
    char line[POSITION_LINE_SIZE];
    char* out = std::to_chars(line, line + 12, ply).ptr;
    *out++ = '\t';
    *out++ = resultCode;
    *out++ = '\t';
    out = std::strchr(writeFen(board, out), '\0');
    *out++ = '\t';
    out = moveToText(out, move);
    *out++ = '\t';
    out = std::to_chars(out, line + POSITION_LINE_SIZE - 1, static_cast<std::int64_t>(board.hashKey)).ptr;
    *out++ = '\n';
    lines.append(line, static_cast<std::size_t>(out - line));
}

}  // namespace

void appendPgnGame(Position& board, const GameRecord& record, std::string& text) {
    std::string game = "[Result \"";
    game += record.resultText;
    game += "\"]\n";
    replay(board, record, [&](int ply, Move move) {
        char number[16];
        char moveText[MOVE_TEXT_SIZE];
        if (ply % 2) {
            std::snprintf(number, sizeof number, "%d. ", (ply + 1) / 2);
            game += number;
        }
        moveToText(moveText, move);
        game += moveText;
        game += ' ';
    });
    game += record.resultText;
    game += '\n';
    text += game;
}

void appendPositionLines(Position& board, const GameRecord& record, std::string& text) {
    std::string lines;
    replay(board, record, [&](int ply, Move move) { appendPositionLine(board, lines, ply, record.resultCode, move); });
    text += lines;
}
