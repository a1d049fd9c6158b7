#include "movegen/san.h"

#include <cctype>

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/legal.h"

namespace {

constexpr char CAPTURE_SIGN = 'x';
constexpr char PROMOTION_SIGN = '=';
constexpr char CHECK_SIGN = '+';
constexpr char MATE_SIGN = '#';
constexpr const char* SHORT_CASTLING = "O-O";
constexpr const char* LONG_CASTLING = "O-O-O";
// In the order of the promotion kinds: queen, knight, rook, bishop.
constexpr const char* PROMOTION_LETTERS = "QNRB";
constexpr int PROMOTION_PIECES = 4;
// Writing a move makes it, and its check sign makes each reply: two history entries.
constexpr int HISTORY_ENTRIES_PER_WRITTEN_MOVE = 2;

bool isCaptureKind(MoveKind kind) {
    return kind == KIND_CAPTURE || kind == KIND_EN_PASSANT ||
           (kind >= KIND_CAPTURE_PROMOTE_QUEEN && kind <= KIND_CAPTURE_PROMOTE_BISHOP);
}

bool isLongCastling(MoveKind kind) { return kind == KIND_CASTLE_WHITE_LONG || kind == KIND_CASTLE_BLACK_LONG; }

char promotionLetter(MoveKind kind) { return PROMOTION_LETTERS[(kind - KIND_PROMOTE_QUEEN) % PROMOTION_PIECES]; }

char pieceLetter(Piece piece) { return static_cast<char>(std::toupper(PIECE_LETTERS[piece])); }

void appendSquare(std::string& san, Square square) {
    san += fileChar(square);
    san += rankChar(square);
}

// Squares other than the mover's from which a piece of the same kind and side goes
// legally to the same square: PGN tells apart only moves that could be played.
Bitboard rivalSquares(Position& pos, Move move) {
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(pos, legal);
    const Square from = moveFrom(move), to = moveTo(move);
    Bitboard rivals = 0;
    for (int i = 0; i < count; ++i) {
        const Square other = moveFrom(legal[i].move);
        const bool sameKind = pos.board[other] == pos.board[from];
        if (moveTo(legal[i].move) == to && other != from && sameKind) rivals |= bitOf(other);
    }
    return rivals;
}

// The shortest origin that tells the mover from its rivals: none, its file, else its
// rank, else both.
void appendOrigin(std::string& san, Position& pos, Move move) {
    const Bitboard rivals = rivalSquares(pos, move);
    if (!rivals) return;
    const Square from = moveFrom(move);
    if (!(rivals & fileMask(fileOf(from))))
        san += fileChar(from);
    else if (!(rivals & rankMask(rowOf(from))))
        san += rankChar(from);
    else
        appendSquare(san, from);
}

// A pawn names its file only when it captures (en passant too), and its new piece.
std::string pawnMoveText(Move move) {
    const MoveKind kind = moveKind(move);
    std::string san;
    if (isCaptureKind(kind)) {
        san += fileChar(moveFrom(move));
        san += CAPTURE_SIGN;
    }
    appendSquare(san, moveTo(move));
    if (isPromotionKind(kind)) {
        san += PROMOTION_SIGN;
        san += promotionLetter(kind);
    }
    return san;
}

std::string pieceMoveText(Position& pos, Move move) {
    std::string san(1, pieceLetter(pos.board[moveFrom(move)]));
    appendOrigin(san, pos, move);
    if (isCaptureKind(moveKind(move))) san += CAPTURE_SIGN;
    appendSquare(san, moveTo(move));
    return san;
}

std::string moveTextWithoutCheck(Position& pos, Move move) {
    const MoveKind kind = moveKind(move);
    if (isCastlingKind(kind)) return isLongCastling(kind) ? LONG_CASTLING : SHORT_CASTLING;
    if (isPawn(pos.board[moveFrom(move)])) return pawnMoveText(move);
    return pieceMoveText(pos, move);
}

// '+' when the move gives check, '#' when it also leaves no legal reply.
void appendCheckSign(std::string& san, Position& pos, Move move) {
    const Side mover = pos.sideToMove;
    UndoRecord undo;
    saveUndoInfo(pos, undo);
    makeMove(pos, move, undo);
    const bool check = squareAttackedBy(pos, pos.kingSquare[mover ^ 1], mover);
    MoveEntry replies[MAX_MOVES_PER_POSITION];
    const bool mate = check && generateLegalMoves(pos, replies) == 0;
    unmakeMove(pos, move, undo);
    if (mate)
        san += MATE_SIGN;
    else if (check)
        san += CHECK_SIGN;
}

bool historyHasRoom(const Position& pos) {
    return pos.historyLength() + HISTORY_ENTRIES_PER_WRITTEN_MOVE < GAME_HISTORY_SIZE;
}

}  // namespace

std::string moveToSan(Position& pos, Move move) {
    std::string san = moveTextWithoutCheck(pos, move);
    appendCheckSign(san, pos, move);
    return san;
}

std::vector<std::string> lineToSan(Position& pos, const std::vector<Move>& moves) {
    std::vector<std::string> words;
    std::vector<UndoRecord> undo(moves.size());
    for (const Move move : moves) {
        if (!historyHasRoom(pos) || !isLegalMove(pos, move)) break;
        words.push_back(moveToSan(pos, move));
        UndoRecord& record = undo[words.size() - 1];
        saveUndoInfo(pos, record);
        makeMove(pos, move, record);
    }
    for (std::size_t played = words.size(); played > 0; --played)
        unmakeMove(pos, moves[played - 1], undo[played - 1]);
    return words;
}
