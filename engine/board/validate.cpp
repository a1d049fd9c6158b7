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

Recount recountFromBoard(const Position& pos) {
    Recount r;
    for (Square s = 0; s < 64; ++s) {
        const Piece c = pos.board[s];
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
    const std::uint16_t lost = pos.origin.castleRights & ~pos.castleRights;
    for (std::uint16_t right : {CASTLE_WHITE_SHORT, CASTLE_WHITE_LONG, CASTLE_BLACK_SHORT, CASTLE_BLACK_LONG})
        if (lost & right) r.hashKey ^= castleKey(right);
    for (std::uint8_t ep : {pos.origin.epSquare, pos.epSquare})
        if (ep) r.hashKey ^= epKey(ep), r.pawnKey ^= keyLow(epKey(ep));
    return r;
}

template <typename T, typename U>
void expectEqual(std::ostringstream& out, const char* what, T kept, U recomputed) {
    if (kept != static_cast<T>(recomputed)) out << what << ": kept " << +kept << ", recomputed " << +recomputed << "\n";
}

}  // namespace

std::string validatePosition(const Position& pos) {
    std::ostringstream out;
    const Recount r = recountFromBoard(pos);
    for (int c = 1; c <= 12; ++c) expectEqual(out, ("pieceBoards[" + std::to_string(c) + "]").c_str(), pos.pieceBoards[c], r.pieceBoards[c]);
    expectEqual(out, "occupied", pos.occupied, r.pieceBoards[11] | r.pieceBoards[12]);
    expectEqual(out, "occupiedRot90", pos.occupiedRot90, rotate90(pos.occupied));
    expectEqual(out, "occupiedA1H8", pos.occupiedA1H8, rotateA1H8(pos.occupied));
    expectEqual(out, "occupiedH1A8", pos.occupiedH1A8, rotateH1A8(pos.occupied));
    for (Side s : {BLACK, WHITE}) {
        expectEqual(out, "kingSquare", pos.kingSquare[s], r.kingSquare[s]);
        expectEqual(out, "pieceMaterial", pos.pieceMaterial[s], r.pieceMaterial[s]);
        expectEqual(out, "pawnCount", pos.pawnCount[s], r.pawnCount[s]);
    }
    expectEqual(out, "totalMaterial", pos.totalMaterial, r.totalMaterial);
    expectEqual(out, "hashKey", pos.hashKey, r.hashKey);
    expectEqual(out, "pawnKey", pos.pawnKey, r.pawnKey);
    expectEqual(out, "history key", pos.historyTop->key(), pos.hashKey);
    expectEqual(out, "move of the current history entry", pos.historyTop->move, 0);
    expectEqual(out, "move of the next history entry", pos.historyTop[1].move, 0);
    if (pos.castleRights & ~pos.origin.castleRights) out << "castle rights gained since the set-up\n";
    return out.str();
}
