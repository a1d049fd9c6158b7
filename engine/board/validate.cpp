#include "board/validate.h"

#include <sstream>

#include "board/position.h"
#include "board/zobrist.h"

namespace {

struct Recount {
    Bitboard pieceBoards[13]{};
    std::uint8_t kingSquare[2] = {NO_KING_SQUARE, NO_KING_SQUARE};
    HashKey hashKey = 0;
    std::uint32_t pawnKey = 0;
    int totalMaterial = 0;
    int pieceMaterial[2] = {0, 0};
    int pawnCount[2] = {0, 0};
};

Recount recountFromBoard() {
    Recount r;
    for (Square s = 0; s < 64; ++s) {
        const Piece c = position.board[s];
        if (c == EMPTY) continue;
        const Side side = sideOfPiece(c);
        r.hashKey ^= ZOBRIST[c][s];
        r.pieceBoards[occupancyIndex(side)] |= bitOf(s);
        if (c == WHITE_KING || c == BLACK_KING) {
            r.kingSquare[side] = static_cast<std::uint8_t>(s);
            continue;
        }
        r.pieceBoards[c] |= bitOf(s);
        r.totalMaterial += PIECE_UNITS[c];
        if (isPawn(c)) {
            r.pawnKey ^= keyLow(ZOBRIST[c][s]);
            ++r.pawnCount[side];
        } else {
            r.pieceMaterial[side] += PIECE_UNITS[c];
        }
    }
    // Castle rights lost since the set-up and the en-passant squares enter the keys.
    const std::uint16_t lost = setupOrigin.castleRights & ~position.castleRights;
    for (std::uint16_t right : {CASTLE_WHITE_SHORT, CASTLE_WHITE_LONG, CASTLE_BLACK_SHORT, CASTLE_BLACK_LONG})
        if (lost & right) r.hashKey ^= castleKey(right);
    for (std::uint8_t ep : {setupOrigin.epSquare, position.epSquare})
        if (ep) r.hashKey ^= epKey(ep), r.pawnKey ^= keyLow(epKey(ep));
    return r;
}

template <typename T, typename U>
void expectEqual(std::ostringstream& out, const char* what, T kept, U recomputed) {
    if (kept != static_cast<T>(recomputed)) out << what << ": kept " << +kept << ", recomputed " << +recomputed << "\n";
}

}  // namespace

std::string validatePosition() {
    std::ostringstream out;
    const Recount r = recountFromBoard();
    for (int c = 1; c <= 12; ++c) expectEqual(out, ("pieceBoards[" + std::to_string(c) + "]").c_str(), position.pieceBoards[c], r.pieceBoards[c]);
    expectEqual(out, "occupied", position.occupied, r.pieceBoards[11] | r.pieceBoards[12]);
    expectEqual(out, "occupiedRot90", position.occupiedRot90, rotate90(position.occupied));
    expectEqual(out, "occupiedA1H8", position.occupiedA1H8, rotateA1H8(position.occupied));
    expectEqual(out, "occupiedH1A8", position.occupiedH1A8, rotateH1A8(position.occupied));
    for (Side s : {BLACK, WHITE}) {
        expectEqual(out, "kingSquare", position.kingSquare[s], r.kingSquare[s]);
        expectEqual(out, "pieceMaterial", position.pieceMaterial[s], r.pieceMaterial[s]);
        expectEqual(out, "pawnCount", position.pawnCount[s], r.pawnCount[s]);
    }
    expectEqual(out, "totalMaterial", position.totalMaterial, r.totalMaterial);
    expectEqual(out, "hashKey", position.hashKey, r.hashKey);
    expectEqual(out, "pawnKey", position.pawnKey, r.pawnKey);
    expectEqual(out, "history key", historyTop->key(), position.hashKey);
    expectEqual(out, "move of the current history entry", historyTop->move, 0);
    expectEqual(out, "move of the next history entry", historyTop[1].move, 0);
    if (position.castleRights & ~setupOrigin.castleRights) out << "castle rights gained since the set-up\n";
    return out.str();
}
