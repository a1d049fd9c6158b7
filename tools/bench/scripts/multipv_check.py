#!/usr/bin/env python3
"""MultiPV on real positions: several different best lines, in order, the first one MultiPV 1's.

usage: multipv_check.py ENGINE [--positions FILE] [--every N] [--depth D] [--lines K]

For each chosen position (every Nth of FILE, default the test data's real positions) the engine is
asked over UCI for `go depth D`, first with MultiPV 1 and then with MultiPV K, each from a fresh table
(ucinewgame). Of the last exact line of depth D for each multipv number it checks: the K first moves
differ, the scores never rise from one line to the next, and line 1's move and score equal MultiPV 1's.
The helpers' lines share the table with the first, so line 1 may differ where they left it entries
MultiPV 1's search never made; the counts say how often.
"""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '../../..'))
sys.path.insert(0, os.path.join(ROOT, 'tools/scripts'))
from uci_match import logger, start_engine  # noqa: E402

LIMIT_SECONDS = 300


def lines_at_depth(engine, fen, depth, count):
    """{multipv number: (score text, first move)} of the last exact lines of depth D."""
    engine.send('setoption name MultiPV value %d' % count)
    engine.send('ucinewgame')
    engine.answer('isready', 'readyok', LIMIT_SECONDS)
    engine.send('position fen ' + fen)
    found = {}
    for line in engine.answer('go depth %d' % depth, 'bestmove', LIMIT_SECONDS):
        words = line.split()
        if words[:3] != ['info', 'depth', str(depth)] or 'pv' not in words or 'score' not in words:
            continue
        if 'lowerbound' in words or 'upperbound' in words:
            continue
        number = int(words[words.index('multipv') + 1]) if 'multipv' in words else 1
        at = words.index('score')
        found[number] = (' '.join(words[at + 1:at + 3]), words[words.index('pv') + 1])
    return found


def comparable(score):
    kind, value = score.split()
    value = int(value)
    return value if kind == 'cp' else (100000 - value if value > 0 else -100000 - value)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('engine')
    parser.add_argument('--positions', default=os.path.join(ROOT, 'tests/data/real_positions.fen'))
    parser.add_argument('--every', type=int, default=12)
    parser.add_argument('--depth', type=int, default=8)
    parser.add_argument('--lines', type=int, default=3)
    options = parser.parse_args()
    with open(options.positions) as f:
        fens = [line.strip() for line in f if line.strip()][::options.every]
    engine = start_engine(os.path.abspath(options.engine), ['OwnBook=false'], False, logger(None))
    counts = dict(skipped=0, positions=0, distinct=0, ordered=0, same_move=0, same_score=0)
    for fen in fens:
        single = lines_at_depth(engine, fen, options.depth, 1)
        several = lines_at_depth(engine, fen, options.depth, options.lines)
        if 1 not in single or len(several) < options.lines:
            counts['skipped'] += 1
            continue  # fewer legal moves than lines, or a mate found before the depth
        counts['positions'] += 1
        firsts = [several[i][1] for i in range(1, options.lines + 1)]
        scores = [comparable(several[i][0]) for i in range(1, options.lines + 1)]
        counts['distinct'] += len(set(firsts)) == len(firsts)
        counts['ordered'] += all(a >= b for a, b in zip(scores, scores[1:]))
        counts['same_move'] += several[1][1] == single[1][1]
        counts['same_score'] += several[1][0] == single[1][0]
        if several[1] != single[1]:
            print('%s: MultiPV 1 %s %s, line 1 of %d %s %s' % (fen, single[1][1], single[1][0], options.lines,
                                                               several[1][1], several[1][0]))
    engine.quit()
    print('%d positions skipped (fewer legal moves than lines, or a mate before the depth)' % counts['skipped'])
    print('depth %d, %d positions: %d first moves all different, %d in score order, line 1 the same move as '
          'MultiPV 1 in %d, the same score in %d' % (options.depth, counts['positions'], counts['distinct'],
                                                       counts['ordered'], counts['same_move'], counts['same_score']))
    return 0 if counts['distinct'] == counts['ordered'] == counts['positions'] else 1


if __name__ == '__main__':
    sys.exit(main())
