#!/usr/bin/env python3
"""Regenerates lines.txt from lines.src: the FEN after each ply comes from pgn-extract."""
import re
import subprocess

out = []
for rec in open('lines.src').read().strip().split('\n'):
    name, fen, moves = rec.split('|')
    pgn_moves = ' '.join(m[:4] + m[4:].upper() for m in moves.split())
    pgn = '[Event "?"]\n[SetUp "1"]\n[FEN "%s 0 1"]\n[Result "*"]\n\n%s *\n' % (fen, pgn_moves)
    open('/tmp/line.pgn', 'w').write(pgn)
    run = subprocess.run(['/usr/games/pgn-extract', '-s', '--fencomments', '/tmp/line.pgn'],
                         capture_output=True, text=True)
    body = ' '.join(l for l in run.stdout.split('\n') if not l.startswith('['))
    fens = [' '.join(c.split()[:4]) for c in re.findall(r'\{([^}]*)\}', body)]
    assert len(fens) == len(moves.split()), (name, run.stderr)
    out += ['LINE ' + name, 'START ' + fen, 'MOVES ' + moves] + ['FEN ' + f for f in fens]
with open('lines.txt', 'w') as f:
    f.write('# Short lines that cover every kind of move; FEN after each ply computed by pgn-extract.\n')
    f.write('\n'.join(out) + '\n')
