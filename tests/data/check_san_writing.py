#!/usr/bin/env python3
"""Checks san_writing.txt against pgn-extract: for every row, the legal moves written as a
tiny PGN in coordinates must come back from `pgn-extract -s` as the row's SAN words, and a
move after them (the first illegal one) must make pgn-extract refuse the game.
Run it here; it prints each row that disagrees and exits 1 if any does."""
import subprocess
import sys

PGN_EXTRACT = '/usr/games/pgn-extract'
MOVE_NUMBER_SUFFIX = '.'
RESULT = '*'
NO_MOVES = '-'


def pgn_of(fen, moves):
    # pgn-extract reads a promotion piece in capitals only; the FEN needs all six fields.
    text = ' '.join(m[:4] + m[4:].upper() for m in moves)
    return '[Event "?"]\n[SetUp "1"]\n[FEN "%s 0 1"]\n[Result "*"]\n\n%s *\n' % (fen, text)


def san_of(fen, moves):
    """pgn-extract's SAN for the moves, or None when it refuses the game."""
    run = subprocess.run([PGN_EXTRACT, '-s', '-w', '1000'], input=pgn_of(fen, moves),
                         capture_output=True, text=True)
    body = ' '.join(l for l in run.stdout.split('\n') if l and not l.startswith('['))
    words = [w for w in body.split() if not w.endswith(MOVE_NUMBER_SUFFIX) and w != RESULT]
    return words if words or not moves else None


def main():
    failures = 0
    for line in open('san_writing.txt'):
        if not line.strip() or line.startswith('#'):
            continue
        fen, moves, san = (field.strip() for field in line.split('|'))
        moves, san = moves.split(), [] if san == NO_MOVES else san.split()
        legal = moves[:len(san)]
        written = san_of(fen, legal)
        refused = len(moves) == len(san) or san_of(fen, moves[:len(san) + 1]) is None
        if written != san or not refused:
            failures += 1
            print('%s | %s: pgn-extract writes %s%s' % (fen, ' '.join(moves), written,
                                                      '' if refused else ', and takes the next move'))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
