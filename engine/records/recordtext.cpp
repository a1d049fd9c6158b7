#include "records/recordtext.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "board/fen.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "records/gamemoves.h"

namespace {

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

void writePgnGame(const GameRecord& record, std::ostream& out) {
    std::string text = "[Result \"";
    text += record.resultText;
    text += "\"]\n";
    char number[16];
    char moveText[MOVE_TEXT_SIZE];
    for (int ply = 1; ply <= pliesOf(record); ++ply) {
        if (ply % 2) {
            std::snprintf(number, sizeof number, "%d. ", (ply + 1) / 2);
            text += number;
        }
        moveToText(moveText, record.moves[ply - 1]);
        text += moveText;
        text += ' ';
    }
    text += record.resultText;
    text += '\n';
    out << text;
}

void writePositionLines(const GameRecord& record, std::ostream& out) {
    std::string lines;
    MadeGameMoves made;  // taken back on leaving, also when a move is refused
    for (int ply = 1; ply <= pliesOf(record); ++ply) {
        const Move move = record.moves[ply - 1];
        if (!isLegalMove(move)) throw RecordError(MOVE_NOT_LEGAL_IN_GAME_FILE);
        appendPositionLine(lines, ply, record.resultCode, move);
        made.make(move);
    }
    out << lines;
}
