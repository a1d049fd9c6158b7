#!/usr/bin/env python3
"""The engine's Hash option as a user meets it: the table really allocated, refusals said, the book kept.

usage: hash_memory.py [--engine BINARY] [--sizes MB,MB,...]

For each size the engine is started over UCI, given `setoption name Hash value MB`, then a short
search (go depth 10 from a middlegame position); its resident memory (VmRSS of /proc/PID/status) is
read before the option, after it and after the search. Then the sizes 0, a non-number and one beyond
the machine's memory must be refused with an info string that keeps the old table; and after a Hash
change and after Clear Hash the book must still answer from the initial position ("info string book
move"). Prints a row per size and a line per check.
"""
import argparse
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '../../..'))
MIDDLE_GAME = 'r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10'
LIMIT_SECONDS = 120


class Engine:
    def __init__(self, binary):
        self.process = subprocess.Popen([binary], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                        bufsize=1, cwd=os.path.dirname(binary))
        self.send('uci')
        self.wait('uciok')

    def send(self, line):
        self.process.stdin.write(line + '\n')
        self.process.stdin.flush()

    def wait(self, prefix):
        lines, deadline = [], time.monotonic() + LIMIT_SECONDS
        for line in self.process.stdout:
            lines.append(line.strip())
            if line.startswith(prefix) or time.monotonic() > deadline:
                return lines
        raise SystemExit('the engine ended')

    def ready(self):
        self.send('isready')
        return self.wait('readyok')

    def resident_mb(self):
        with open('/proc/%d/status' % self.process.pid) as status:
            for line in status:
                if line.startswith('VmRSS:'):
                    return int(line.split()[1]) / 1024.0
        return 0.0

    def quit(self):
        self.send('quit')
        self.process.wait(timeout=30)


def info_strings(lines):
    return [line for line in lines if line.startswith('info string')]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--engine', default=os.path.join(ROOT, 'build', 'zorvak'))
    parser.add_argument('--sizes', default='1,16,1024,4096')
    options = parser.parse_args()
    binary = os.path.abspath(options.engine)
    print('%8s %12s %12s %14s  %s' % ('Hash MB', 'RSS before', 'RSS set', 'RSS searched', 'info string'))
    for size in [int(text) for text in options.sizes.split(',')]:
        engine = Engine(binary)
        before = engine.resident_mb()
        engine.send('setoption name Hash value %d' % size)
        said = info_strings(engine.ready())
        after = engine.resident_mb()
        engine.send('position fen ' + MIDDLE_GAME)
        engine.send('go depth 10')
        engine.wait('bestmove')
        searched = engine.resident_mb()
        engine.quit()
        print('%8d %10.0f MB %10.0f MB %12.0f MB  %s' % (size, before, after, searched, ' / '.join(said)))
    engine = Engine(binary)
    for value in ('0', 'abc', '1000000', str(64 * 1024)):
        engine.send('setoption name Hash value %s' % value)
        print('Hash %-8s -> %s' % (value, ' / '.join(info_strings(engine.ready()))))
    # The game has begun (its book written) when the table changes: the book is written again.
    for change in ('setoption name Hash value 16', 'setoption name Clear Hash'):
        engine.send('ucinewgame')
        engine.send('position startpos')
        engine.ready()
        engine.send(change)
        engine.ready()
        engine.send('position startpos')
        engine.send('go wtime 10000 btime 10000')
        lines = engine.wait('bestmove')
        book = [line for line in lines if line.startswith('info string book move')]
        print('after "%s": %s' % (change, book[0] if book else 'NO BOOK MOVE: ' + lines[-1]))
    engine.quit()
    return 0


if __name__ == '__main__':
    sys.exit(main())
