#include "board/fen.h"

#include <cstdio>
#include <cstring>

#include "board/attacks.h"
#include "board/zobrist.h"

namespace {

const char* skipSpaces(const char* p) {
    while (*p == ' ') ++p;
    return p;
}

void placePiece(Position& p, Piece c, Square s) {
    p.board[s] = c;
    p.hashKey ^= ZOBRIST[c][s];
    if (c == WHITE_KING || c == BLACK_KING) {
        p.kingSquare[sideOfPiece(c)] = static_cast<std::uint8_t>(s);  // a second king is refused later
        return;
    }
    const Side side = sideOfPiece(c);
    p.pieceBoards[c] |= bitOf(s);
    p.totalMaterial += PIECE_UNITS[c];
    if (isPawn(c)) {
        p.pawnKey ^= keyLow(ZOBRIST[c][s]);
        p.pawnCount[side] += 1;
    } else {
        p.pieceMaterial[side] += PIECE_UNITS[c];
    }
}

// Piece placement field; nullptr on a bad character. Counts the kings on the way.
const char* readPlacement(Position& p, const char* text, int kings[2]) {
    int square = 0;
    while (square < 64) {
        const char ch = *text++;
        if (ch >= '1' && ch <= '8') {
            square += ch - '0';
        } else if (ch == '/') {
            // rank boundaries carry no information: only the square count matters
        } else if (ch != '\0' && ch != '.' && std::strchr(PIECE_LETTERS, ch)) {
            const Piece c = static_cast<Piece>(std::strchr(PIECE_LETTERS, ch) - PIECE_LETTERS);
            if (c == WHITE_KING || c == BLACK_KING) ++kings[sideOfPiece(c)];
            placePiece(p, c, square++);
        } else {
            return nullptr;
        }
    }
    return text;
}

const char* readCastleRights(Position& p, const char* text) {
    for (int i = 0; i < 4; ++i) {
        const char ch = *text;
        if (ch == '\0') return text;
        ++text;
        switch (ch) {
            case 'K': p.castleRights |= CASTLE_WHITE_SHORT; break;
            case 'Q': p.castleRights |= CASTLE_WHITE_LONG; break;
            case 'k': p.castleRights |= CASTLE_BLACK_SHORT; break;
            case 'q': p.castleRights |= CASTLE_BLACK_LONG; break;
            default: return text;  // the ending character is consumed
        }
    }
    return text;
}

// A right is kept only with its king and rook on their home squares.
void dropImpossibleRights(Position& p) {
    struct RightHome {
        std::uint16_t right;
        Square king, rook;
        Piece kingPiece, rookPiece;
    };
    constexpr RightHome homes[4] = {
        {CASTLE_WHITE_SHORT, SQ_E1, SQ_H1, WHITE_KING, WHITE_ROOK},
        {CASTLE_WHITE_LONG, SQ_E1, SQ_A1, WHITE_KING, WHITE_ROOK},
        {CASTLE_BLACK_SHORT, SQ_E8, SQ_H8, BLACK_KING, BLACK_ROOK},
        {CASTLE_BLACK_LONG, SQ_E8, SQ_A8, BLACK_KING, BLACK_ROOK},
    };
    for (const RightHome& h : homes)
        if (p.board[h.king] != h.kingPiece || p.board[h.rook] != h.rookPiece) p.castleRights &= ~h.right;
}

// En-passant field; false when it names a square no double step could have passed.
bool readEpSquare(Position& p, const char*& text) {
    text = skipSpaces(text);
    // The end of a setboard line ends the text too: no field there means no square.
    if (*text == '-' || *text == '\0' || *text == '\n' || *text == '\r') return true;
    const char letter = text[0], digit = text[1];
    if (letter < 'a' || letter > 'h' || digit < '1' || digit > '8') return false;
    text += 2;
    const Square t = (letter - 'a') + 8 * ('8' - digit);
    const Side mover = p.sideToMove;
    const int expectedRow = mover == WHITE ? 2 : 5;  // rank 6 for White to move, rank 3 for Black
    const Square pawnSquare = mover == WHITE ? t + 8 : t - 8;
    if (rowOf(t) != expectedRow || p.board[t] != EMPTY || p.board[pawnSquare] != pawnOf(mover ^ 1)) return false;
    p.epSquare = static_cast<std::uint8_t>(t);
    return true;
}

// The first 'a' or 'b' from here decides: "am X;" or "bm X;" is noted, anything else ignored.
EpdOperation readEpdOperation(const char* text) {
    EpdOperation op{};
    while (*text && *text != 'a' && *text != 'b') ++text;
    if (!*text || text[1] != 'm' || text[2] != ' ' || text[3] == '\0') return op;
    const char* operand = text + 3;
    int n = 0;
    while (n < 9 && operand[n] && operand[n] != ';' && operand[n] != ' ') {
        op.operand[n] = operand[n];
        ++n;
    }
    if (operand[n] == ';' || operand[n] == ' ') op.name = *text;
    return op;
}

void computeOccupancy(Position& p) {
    for (Side s : {BLACK, WHITE}) {
        Bitboard own = p.kingSquare[s] < 64 ? bitOf(p.kingSquare[s]) : 0;
        for (Piece c = pawnOf(s); c <= queenOf(s); c += 2) own |= p.pieceBoards[c];
        p.pieceBoards[occupancyIndex(s)] = own;
    }
    p.occupied = p.pieceBoards[11] | p.pieceBoards[12];
    p.occupiedRot90 = rotate90(p.occupied);
    p.occupiedA1H8 = rotateA1H8(p.occupied);
    p.occupiedH1A8 = rotateH1A8(p.occupied);
}

// Pieces that could have come from promotions: beyond one queen, two rooks, bishops, knights.
int promotedPieces(const Position& p, Side s) {
    int extra = 0;
    const int normal[4] = {2, 2, 2, 1};  // knights, bishops, rooks, queens
    for (int i = 0; i < 4; ++i) {
        const int count = popCount(p.pieceBoards[knightOf(s) + 2 * i]);
        if (count > normal[i]) extra += count - normal[i];
    }
    return extra;
}

// Positions the generators and the search cannot play safely.
bool isPlayable(const Position& p, const int kings[2]) {
    if (kings[WHITE] != 1 || kings[BLACK] != 1) return false;
    const Bitboard pawns = p.pieceBoards[WHITE_PAWN] | p.pieceBoards[BLACK_PAWN];
    if (pawns & (RANK_8 | RANK_1)) return false;
    for (Side s : {BLACK, WHITE}) {
        if (popCount(p.sidePieces(s)) > 16 || p.pawnCount[s] > 8) return false;
        if (promotedPieces(p, s) > 8 - p.pawnCount[s]) return false;
    }
    // The side not to move may not be in check (this also keeps the kings apart).
    const Side waiting = p.sideToMove ^ 1;
    return attackersOf(p, p.kingSquare[waiting], p.sideToMove) == 0;
}

}  // namespace

bool readFen(const char* text, Position& p, EpdOperation& op) {
    p = Position{};
    op = EpdOperation{};
    p.kingSquare[WHITE] = p.kingSquare[BLACK] = NO_KING_SQUARE;
    p.sideToMove = WHITE;
    int kings[2] = {0, 0};
    text = readPlacement(p, skipSpaces(text), kings);
    if (!text) return false;
    text = skipSpaces(text);
    if (*text == 'w' || *text == 'W')
        p.sideToMove = WHITE;
    else if (*text == 'b' || *text == 'B')
        p.sideToMove = BLACK;
    else
        return false;
    text = readCastleRights(p, skipSpaces(text + 1));
    dropImpossibleRights(p);
    if (!readEpSquare(p, text)) return false;
    op = readEpdOperation(text);
    computeOccupancy(p);
    return isPlayable(p, kings);
}

bool setUpBoard(Position& pos, const char* text) {
    // The new position is read aside: refused text leaves the board intact.
    Position next;
    EpdOperation op;
    if (!readFen(text, next, op)) return false;
    pos = next;
    startHistory(pos);
    return true;
}

char* writeFen(const Position& pos, char* buffer) {
    char* out = buffer;
    int pending = 0;
    for (Square s = 0; s < 64; ++s) {
        const bool rankStart = fileOf(s) == 0;
        if (rankStart || pos.board[s] != EMPTY) {
            if (pending) *out++ = static_cast<char>('0' + pending);
            pending = 0;
            if (rankStart && s != 0) *out++ = '/';
        }
        if (pos.board[s] != EMPTY)
            *out++ = PIECE_LETTERS[pos.board[s]];
        else
            ++pending;
    }
    if (pending) *out++ = static_cast<char>('0' + pending);
    *out++ = ' ';
    *out++ = pos.sideToMove == WHITE ? 'w' : 'b';
    *out++ = ' ';
    if (pos.castleRights == 0) *out++ = '-';
    if (pos.castleRights & CASTLE_WHITE_SHORT) *out++ = 'K';
    if (pos.castleRights & CASTLE_WHITE_LONG) *out++ = 'Q';
    if (pos.castleRights & CASTLE_BLACK_SHORT) *out++ = 'k';
    if (pos.castleRights & CASTLE_BLACK_LONG) *out++ = 'q';
    *out++ = ' ';
    if (pos.epSquare) {
        *out++ = fileChar(pos.epSquare);
        *out++ = rankChar(pos.epSquare);
    } else {
        *out++ = '-';
    }
    *out = '\0';
    return out;
}

void printBoard(const Piece* board) {
    for (Square s = 0; s < 64; ++s) {
        if (fileOf(s) == 0) std::printf("\n%d ", 8 - rowOf(s));
        std::printf("%c ", PIECE_LETTERS[board[s]]);
    }
    std::printf("\n\n  A B C D E F G H\n");
}
