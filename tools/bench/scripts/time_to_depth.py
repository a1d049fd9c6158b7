#!/usr/bin/env python3
"""The time the engine takes to finish a depth with 1 thread and with more, on the same positions.

usage: time_to_depth.py [--engine BINARY] [--depth D] [--threads 1,2] [--runs K]

For each position (nps_compare.py's set) and each thread count, in turn, the engine is started alone
over UCI (Threads=N, no book), searches `go depth D` from a fresh table, and reports the time of its
line of depth D. Prints the times per position, their ratio to one thread's and the median ratio. A
shared-table search wins by the quality of its deeper searches more than by reaching a depth sooner:
the match between the thread counts is the judge of strength.
"""
import argparse
import os
import statistics
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '../../..'))
sys.path.insert(0, os.path.join(ROOT, 'tools/scripts'))
sys.path.insert(0, HERE)
from nps_compare import POSITIONS  # noqa: E402
from uci_match import logger, start_engine  # noqa: E402

LIMIT_SECONDS = 600


def time_to(binary, threads, fen, depth, log):
    engine = start_engine(binary, ['Threads=%d' % threads, 'OwnBook=false', 'Ponder=false'], False, log)
    engine.send('position fen ' + fen)
    lines = engine.answer('go depth %d' % depth, 'bestmove', LIMIT_SECONDS)
    engine.quit()
    for line in lines:
        words = line.split()
        if words[:3] == ['info', 'depth', str(depth)] and 'time' in words and 'multipv' not in words[3:5]:
            if 'lowerbound' in words or 'upperbound' in words:
                continue
            return int(words[words.index('time') + 1])
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--engine', default=os.path.join(ROOT, 'build', 'zorvak'))
    parser.add_argument('--depth', type=int, default=12)
    parser.add_argument('--threads', default='1,2')
    parser.add_argument('--runs', type=int, default=1)
    options = parser.parse_args()
    counts = [int(text) for text in options.threads.split(',')]
    log = logger(None)
    ratios = {count: [] for count in counts[1:]}
    print('%-72s %s' % ('position', '  '.join('%8s' % ('%d thr ms' % c) for c in counts)))
    for run in range(options.runs):
        for index, fen in enumerate(POSITIONS):
            order = counts if (index + run) % 2 == 0 else counts[::-1]
            times = {count: time_to(os.path.abspath(options.engine), count, fen, options.depth, log) for count in order}
            print('%-72s %s' % (fen, '  '.join('%8s' % times[c] for c in counts)))
            for count in counts[1:]:
                if times[counts[0]] and times[count]:
                    ratios[count].append(times[count] / times[counts[0]])
    for count, values in ratios.items():
        print('time to depth %d, %d threads / %d: median %.3f (%s)' % (
            options.depth, count, counts[0], statistics.median(values), ' '.join('%.2f' % v for v in values)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
