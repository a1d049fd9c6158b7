#!/usr/bin/env python3
"""Check an EPD suite with Debian's stockfish (UCI).

For every record: the FEN's board is well formed (8x8, one king a side, no pawn on
the first or last rank, castling rights that match king and rook squares, an en
passant square that fits), the side not to move is not in check and the side to
move is in at most double check (stockfish's "d" names the checkers), and every bm
and am operand is a legal move there.  The legal moves are stockfish's "go perft 1"
list; each is written in SAN here (piece letter, file/rank disambiguation among
the legal moves, x for captures, =Q for promotions, O-O/O-O-O) and matched with
the operand without its +/#/!/? suffix.  The check suffix the record gives is
compared with the position after the move and reported when it differs (a note,
not a failure).

Usage: nice -n 19 python3 check_suite.py wac.epd [/usr/games/stockfish]
Prints one line for each failure or note, then "N passed, N failed".
"""
import re
import subprocess
import sys

FILES = "abcdefgh"


class Engine:
    def __init__(self, path):
        self.p = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  text=True, bufsize=1)
        self.ask(["uci"], "uciok")

    def ask(self, lines, until):
        for line in lines:
            self.p.stdin.write(line + "\n")
        self.p.stdin.flush()
        out = []
        while True:
            line = self.p.stdout.readline()
            if not line:
                raise RuntimeError("stockfish ended")
            line = line.rstrip("\n")
            out.append(line)
            if line.startswith(until):
                return out

    def legal(self, fen, moves=()):
        pos = "position fen " + fen + (" moves " + " ".join(moves) if moves else "")
        out = self.ask([pos, "go perft 1"], "Nodes searched")
        return [l.split(":")[0] for l in out if re.match(r"^[a-h][1-8][a-h][1-8][qrbn]?: ", l)]

    def checkers(self, fen, moves=()):
        pos = "position fen " + fen + (" moves " + " ".join(moves) if moves else "")
        out = self.ask([pos, "d"], "Checkers:")
        return out[-1].split(":", 1)[1].split()

    def close(self):
        self.p.stdin.write("quit\n")
        self.p.stdin.flush()
        self.p.wait()


def board_of(placement):
    rows = placement.split("/")
    if len(rows) != 8:
        return None
    board = {}
    for i, row in enumerate(rows):
        rank = 8 - i
        f = 0
        for c in row:
            if c.isdigit():
                f += int(c)
            elif c in "KQRBNPkqrbnp":
                if f > 7:
                    return None
                board[FILES[f] + str(rank)] = c
                f += 1
            else:
                return None
        if f != 8:
            return None
    return board


def position_problems(fields, board):
    bad = []
    if board is None:
        return ["board field is not 8 ranks of 8 squares"]
    pieces = "".join(board.values())
    if pieces.count("K") != 1 or pieces.count("k") != 1:
        bad.append("not exactly one king a side")
    if any(sq[1] in "18" and p in "Pp" for sq, p in board.items()):
        bad.append("pawn on the first or last rank")
    for colour, pawn, others in (("white", "P", "QRBN"), ("black", "p", "qrbn")):
        n_pawns = pieces.count(pawn)
        extra = (max(0, pieces.count(others[0]) - 1) + max(0, pieces.count(others[1]) - 2)
                 + max(0, pieces.count(others[2]) - 2) + max(0, pieces.count(others[3]) - 2))
        if n_pawns > 8 or n_pawns + extra > 8 or sum(pieces.count(c) for c in pawn + others) > 15:
            bad.append("too many %s pieces" % colour)
    if fields[1] not in ("w", "b"):
        bad.append("side to move is not w or b")
    castling = fields[2]
    if castling != "-":
        need = {"K": ("e1", "K", "h1", "R"), "Q": ("e1", "K", "a1", "R"),
                "k": ("e8", "k", "h8", "r"), "q": ("e8", "k", "a8", "r")}
        for c in castling:
            if c not in need:
                bad.append("castling field %r" % castling)
                break
            ksq, k, rsq, r = need[c]
            if board.get(ksq) != k or board.get(rsq) != r:
                bad.append("castling right %s without king and rook at home" % c)
    ep = fields[3]
    if ep != "-":
        ok = re.fullmatch(r"[a-h][36]", ep) is not None
        if ok:
            f, r = ep[0], ep[1]
            if fields[1] == "w":
                ok = r == "6" and board.get(f + "5") == "p" and f + "6" not in board and f + "7" not in board
            else:
                ok = r == "3" and board.get(f + "4") == "P" and f + "3" not in board and f + "2" not in board
        if not ok:
            bad.append("en passant square %s does not fit" % ep)
    return bad


def san_of(move, board, legal):
    frm, to, promo = move[:2], move[2:4], move[4:]
    piece = board[frm].upper()
    if piece == "K" and abs(FILES.index(frm[0]) - FILES.index(to[0])) == 2:
        return "O-O" if to[0] == "g" else "O-O-O"
    capture = to in board or (piece == "P" and frm[0] != to[0])
    if piece == "P":
        s = (frm[0] + "x" if capture else "") + to
        return s + ("=" + promo.upper() if promo else "")
    rivals = [m for m in legal if m != move and m[2:4] == to and board[m[:2]].upper() == piece]
    dis = ""
    if rivals:
        if all(m[0] != frm[0] for m in rivals):
            dis = frm[0]
        elif all(m[1] != frm[1] for m in rivals):
            dis = frm[1]
        else:
            dis = frm
    return piece + dis + ("x" if capture else "") + to


def operands(rest, opcode):
    found = []
    for m in re.finditer(r"(?:^|; )(bm|am) ([^;]*);", rest):
        if m.group(1) == opcode:
            found += m.group(2).split()
    return found


def main():
    path = sys.argv[1]
    engine = Engine(sys.argv[2] if len(sys.argv) > 2 else "/usr/games/stockfish")
    passed = failed = 0
    for n, line in enumerate(open(path, encoding="ascii"), 1):
        line = line.rstrip("\n")
        fields = line.split(" ")
        fen4 = " ".join(fields[:4])
        rest = " ".join(fields[4:])
        ident = re.search(r'id "([^";]*)', rest)
        name = ident.group(1) if ident else "line %d" % n
        board = board_of(fields[0])
        problems = position_problems(fields, board)
        fen = fen4 + " 0 1"
        moves_checked = []
        if not problems:
            flipped = " ".join([fields[0], "b" if fields[1] == "w" else "w", fields[2], "-", "0", "1"])
            if engine.checkers(flipped):
                problems.append("side not to move is in check")
            if len(engine.checkers(fen)) > 2:
                problems.append("more than two checkers")
        if not problems:
            legal = engine.legal(fen)
            sans = {san_of(m, board, legal): m for m in legal}
            bm, am = operands(rest, "bm"), operands(rest, "am")
            if not bm and not am:
                problems.append("no bm or am operand")
            for op in bm + am:
                core = re.sub(r"[+#!?]+$", "", op).replace("0-0-0", "O-O-O").replace("0-0", "O-O")
                core = re.sub(r"^([a-h](?:x[a-h])?[18])([QRBN])$", r"\1=\2", core)
                move = sans.get(core)
                if move is None:
                    problems.append("%s is not a legal move (legal: %s)" % (op, " ".join(sorted(sans))))
                    continue
                gives = engine.checkers(fen, [move])
                mate = bool(gives) and not engine.legal(fen, [move])
                want = "#" if mate else "+" if gives else ""
                said = "#" if "#" in op else "+" if "+" in op else ""
                if said != want:
                    print("note %s: %s is %s (the record writes %r)" % (
                        name, op, {"#": "mate", "+": "check", "": "no check"}[want], op))
                moves_checked.append("%s=%s" % (op, move))
        if problems:
            failed += 1
            for p in problems:
                print("FAIL %s: %s" % (name, p))
        else:
            passed += 1
    engine.close()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
