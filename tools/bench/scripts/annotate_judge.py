#!/usr/bin/env python3
"""zorvak annotate's marks judged by an independent engine: Debian's stockfish at a fixed depth.

usage: annotate_judge.py IN.pgn OUT.pgn [--depth D] [--games N] [--threads T]

OUT is IN annotated by zorvak. Stockfish searches every position of the games' main lines (from their
FEN where they have one) to depth D: its score before a move, with its best move, and its score
after it (the next position's, negated) give the move's drop in centipawns (a mate as 10000). Reported:
  - of the moves stockfish scores as losing 300 cp or more from a position within +-200 cp, the
    share zorvak marked ? ($2) or ?? ($4);
  - of the moves stockfish scores as its own first choice, the share zorvak marked ?? ($4);
and the same counts for ?! ($6), with the moves zorvak did not analyse left out.
"""
import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts'))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from debian import program  # noqa: E402
from pgn_mainline import evaluation, games  # noqa: E402

MATE_CP = 10000
START = 'startpos'


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('input')
    parser.add_argument('output')
    parser.add_argument('--depth', type=int, default=12)
    parser.add_argument('--games', type=int, default=0)
    parser.add_argument('--threads', type=int, default=1)
    return parser.parse_args()


class Stockfish:
    def __init__(self, threads):
        self.process = subprocess.Popen([program('stockfish')], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, bufsize=1)
        self.send('uci')
        self.wait('uciok')
        self.send('setoption name Threads value %d' % threads)
        self.send('setoption name Hash value 64')
        self.send('isready')
        self.wait('readyok')

    def send(self, line):
        self.process.stdin.write(line + '\n')
        self.process.stdin.flush()

    def wait(self, prefix):
        lines = []
        for line in self.process.stdout:
            lines.append(line.strip())
            if line.startswith(prefix):
                return lines
        raise SystemExit('stockfish ended')

    def analyse(self, start, moves, depth):
        """(score for the side to move in centipawns, best move); the score of a position without moves."""
        self.send('position %s%s' % ('startpos' if start == START else 'fen ' + start,
                                     ' moves ' + ' '.join(moves) if moves else ''))
        self.send('go depth %d' % depth)
        lines = self.wait('bestmove')
        score = 0
        for line in lines:
            words = line.split()
            if 'score' in words:
                kind, value = words[words.index('score') + 1], int(words[words.index('score') + 2])
                score = value if kind == 'cp' else (MATE_CP if value > 0 else -MATE_CP)
        best = lines[-1].split()[1]
        if best == '(none)':
            return (-MATE_CP if any('mate 0' in line for line in lines) else 0), None
        return score, best

    def quit(self):
        self.send('quit')
        self.process.wait()


def uci_games(path):
    """The games as pgn-extract reads them, their moves in UCI notation, with their tags."""
    run = subprocess.run([program('pgn-extract'), '-s', '-C', '-N', '-V', '-w', '100000', '-Wuci', path],
                         capture_output=True, text=True, errors='replace')
    return games(run.stdout)


def main():
    options = arguments()
    source = uci_games(options.input)
    with open(options.output, errors='replace') as f:
        annotated = games(f.read())
    if len(source) != len(annotated):
        raise SystemExit('pgn-extract reads %d games in IN, %d in OUT' % (len(source), len(annotated)))
    if options.games:
        source, annotated = source[:options.games], annotated[:options.games]
    engine = Stockfish(options.threads)
    losing = losing_marked = firsts = firsts_blundered = dubious_losing = 0
    for (tags, moves), (_, marked) in zip(source, annotated):
        if len(moves) != len(marked):
            continue
        start = tags.get('FEN', START)
        played = [m['san'] for m in moves]
        scores = [engine.analyse(start, played[:i], options.depth) for i in range(len(played) + 1)]
        for i, move in enumerate(played):
            if evaluation(marked[i]) is None:
                continue  # not analysed
            before, best = scores[i]
            after = -scores[i + 1][0]
            nags = set(marked[i]['nags'])
            if before - after >= 300 and abs(before) <= 200:
                losing += 1
                losing_marked += bool(nags & {2, 4})
                dubious_losing += 6 in nags
            if move == best:
                firsts += 1
                firsts_blundered += 4 in nags
    engine.quit()
    print('stockfish depth %d, %d games' % (options.depth, len(source)))
    print('moves losing >= 300 cp from within +-200 cp: %d, marked ? or ?? by zorvak: %d (%.1f%%), ?! %d' % (
        losing, losing_marked, 100.0 * losing_marked / max(1, losing), dubious_losing))
    print('moves stockfish plays itself: %d, marked ?? by zorvak: %d (%.2f%%)' % (
        firsts, firsts_blundered, 100.0 * firsts_blundered / max(1, firsts)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
