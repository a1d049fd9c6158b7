#include "records/recordtext.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "board/setup.h"
#include "movegen/notation.h"
#include "records/gamemoves.h"

namespace {

// Calls atPly(ply, move) in the position before each move, then makes the move,
// which must be legal there.
template <typename AtPly>
void replay(const GameRecord& record, AtPly atPly) {
    MadeGameMoves made;  // taken back on leaving, also when a move is refused
    for (int ply = 1; ply <= pliesOf(record); ++ply) {
        const Move move = record.moves[ply - 1];
        atPly(ply, move);
        if (made.makeTested(move) != MadeGameMoves::Test::LEGAL)
            throw RecordError(MOVE_NOT_LEGAL_IN_GAME_FILE, "ply " + std::to_string(ply));
    }
}

void appendPositionLine(std::string& lines, int ply, char resultCode, Move move) {
    char fen[FEN_BUFFER_SIZE];
    char moveText[MOVE_TEXT_SIZE];
    char line[POSITION_LINE_SIZE];
    writeFen(fen);
    moveToText(moveText, move);
    const int length = std::snprintf(line, sizeof line, "%d\t%c\t%s\t%s\t%" PRId64 "\n", ply, resultCode, fen,
                                     moveText, static_cast<std::int64_t>(position.hashKey));
    lines.append(line, static_cast<std::size_t>(std::min<int>(length, sizeof line - 1)));
}

}  // namespace

void appendPgnGame(const GameRecord& record, std::string& text) {
    std::string game = "[Result \"";
    game += record.resultText;
    game += "\"]\n";
    replay(record, [&](int ply, Move move) {
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

void appendPositionLines(const GameRecord& record, std::string& text) {
    std::string lines;
    replay(record, [&](int ply, Move move) { appendPositionLine(lines, ply, record.resultCode, move); });
    text += lines;
}
