#!/usr/bin/env python3
"""A test suite (EPD with bm/am) run through the engine's xboard mode, as an interface would.

usage: epd_xboard.py ENGINE SUITE.epd [--st SECONDS] [--engine-log FILE]

For each position: new, force, setboard FEN, st SECONDS, go; the engine's move (coordinates) is turned
into SAN by Debian's pgn-extract (an independent reader), then judged as `zorvak analyse` judges:
solved when it is one of bm and none of am. Prints the count solved and the positions not solved,
for comparison with `zorvak analyse SUITE.epd OUT.epd --movetime MS`.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'scripts'))
from debian import program  # noqa: E402
from uci_match import Engine, logger  # noqa: E402

MARGIN_SECONDS = 10  # beyond the time per move, before the engine counts as hung
OPCODE = re.compile(r'\b(bm|am|id)\s+([^;]*);')


def read_suite(path):
    """(fen, bm list, am list, id) of each position line."""
    suite = []
    with open(path) as f:
        for line in f:
            words = line.split()
            if len(words) < 4:
                continue
            fen = ' '.join(words[:4]) + ' 0 1'
            ops = {name: value.strip() for name, value in OPCODE.findall(line)}
            suite.append((fen, ops.get('bm', '').split(), ops.get('am', '').split(),
                          ops.get('id', '"%d"' % (len(suite) + 1)).strip('"')))
    return suite


def play_suite(engine_path, suite, seconds, log):
    engine = Engine(os.path.abspath(engine_path), log, cwd=os.path.dirname(os.path.abspath(engine_path)))
    engine.send('xboard')
    engine.answer('protover 2', 'feature done=1', MARGIN_SECONDS)
    moves = []
    for fen, _, _, _ in suite:
        # A new game each, as the analysis clears its table for each position.
        engine.send('new')
        engine.send('force')
        engine.send('setboard ' + fen)
        engine.send('st %d' % seconds)
        engine.send('go')
        lines = engine.wait('move ', seconds + MARGIN_SECONDS)
        moves.append(lines[-1].split()[1])
    engine.quit()
    return moves


def to_san(suite, moves):
    """pgn-extract's SAN for each position's move."""
    with tempfile.NamedTemporaryFile('w', suffix='.pgn', delete=False) as pgn:
        for (fen, _, _, _), move in zip(suite, moves):
            number = '1.' if fen.split()[1] == 'w' else '1...'
            pgn.write('[Event "?"]\n[SetUp "1"]\n[FEN "%s"]\n\n%s %s *\n\n' % (fen, number, move))
    run = subprocess.run([program('pgn-extract'), '-s', '-Wsan', '--notags', '-C', '-N', '-V', '-w', '1000',
                          pgn.name], capture_output=True, text=True, check=True)
    os.unlink(pgn.name)
    sans = [line.split()[-2] for line in run.stdout.split('\n') if line.strip()]
    if len(sans) != len(suite):
        raise SystemExit('pgn-extract read %d of %d moves' % (len(sans), len(suite)))
    return sans


def bare(san):
    return san.rstrip('+#!?')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('engine')
    parser.add_argument('suite')
    parser.add_argument('--st', type=int, default=1)
    parser.add_argument('--engine-log')
    options = parser.parse_args()
    suite = read_suite(options.suite)
    sans = to_san(suite, play_suite(options.engine, suite, options.st, logger(options.engine_log)))
    solved, unsolved = 0, []
    for (_, best, avoid, name), san in zip(suite, sans):
        if (not best or bare(san) in map(bare, best)) and bare(san) not in map(bare, avoid):
            solved += 1
        else:
            unsolved.append('%s: found %s' % (name, san))
    print('xboard mode, st %d: solved %d of %d' % (options.st, solved, len(suite)))
    for line in unsolved:
        print('  not solved: ' + line)
    return 0


if __name__ == '__main__':
    sys.exit(main())
