#include "book_helpers.h"

#include <gtest/gtest.h>

#include "book/book.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"

std::vector<Move> lineMoves(const WordLine& words) {
    std::vector<Move> moves;
    for (const std::string& word : words) {
        moves.push_back(coordinateMove(word));
        saveUndoInfo(gamePosition, testUndo[moves.size()]);
        makeMove(gamePosition, moves.back(), testUndo[moves.size()]);
    }
    for (std::size_t i = moves.size(); i > 0; --i) unmakeMove(gamePosition, moves[i - 1], testUndo[i]);
    return moves;
}

std::string bookRecord(const std::vector<Move>& moves, int countByte) {
    std::string bytes(1, static_cast<char>(countByte < 0 ? moves.size() : countByte));
    for (Move m : moves) bytes += {static_cast<char>(m & 0xFF), static_cast<char>(m >> 8)};
    return bytes;
}

std::string bookFile(const std::string& countLine, const std::vector<WordLine>& lines) {
    std::string bytes = countLine;
    for (const WordLine& line : lines) bytes += bookRecord(lineMoves(line));
    return bytes;
}

Move bookMoveAfter(const WordLine& words) {
    const std::vector<Move> moves = lineMoves(words);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        saveUndoInfo(gamePosition, testUndo[100 + i]);
        makeMove(gamePosition, moves[i], testUndo[100 + i]);
    }
    const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
    const Move move = entry && isBookEntry(*entry) ? entryMove(*entry) : 0;
    for (std::size_t i = moves.size(); i > 0; --i) unmakeMove(gamePosition, moves[i - 1], testUndo[100 + i - 1]);
    return move;
}
