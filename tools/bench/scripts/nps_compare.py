#!/usr/bin/env python3
"""Zorvak's search speed beside Debian's glaurung: nodes per second on the same positions.

usage: nps_compare.py [--movetime MS] [--runs K] [--positions FILE] [--zorvak BINARY] [--log FILE]
                      [--engine LABEL=BINARY[:OPTION=VALUE,...]]...

Both engines run over UCI with one search thread, no pondering and no own book; glaurung
gets a 32 MB table, the nearest to Zorvak's default 36 MB one. --engine (repeatable) puts
more engines in the same run, measured the same way and compared with the first: an
earlier build of Zorvak (before and after a change), or Zorvak with Threads=2 (nodes per
second over all its threads).
For each position each engine is started alone, gets ucinewgame, the position and
go movetime MS (default 5000); its speed is what it reports itself: the nodes and time of
its last info line that has both before bestmove (an engine that reports only at the end
of an iteration is measured over its finished iterations, never over a guessed time).
The engines never run at once, and which one goes first alternates from position to
position and run to run, so that neither always meets the warmer machine. Prints a table
per run (and over all runs when there are several): each engine's nodes per second per
position, the totals (all nodes over all time) and the ratio zorvak/glaurung; then the
build measured (commit, binary, build type and flags) and the date.

Run it on an otherwise idle machine, not under nice: the speed of the machine is measured.
FILE holds one FEN a line; blank lines and lines starting with '#' are skipped.
"""
import argparse
import datetime
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '../../..'))
sys.path.insert(0, os.path.join(ROOT, 'tools/scripts'))
from debian import program  # noqa: E402
from uci_match import Forfeit, logger, start_engine  # noqa: E402

POSITIONS = [
    'r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4',
    'r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1',
    'r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8',
    'r1b1kb1r/pp1nqpp1/2p1Nn1p/8/3P4/3B1N2/PPP2PPP/R1BQ1RK1 b kq - 0 1',
    '2r3k1/r2nqpp1/p3b2p/2pp4/8/Q3PN2/PP2BPPP/2R2RK1 w - - 0 1',
    '6k1/5pp1/7p/8/8/1r5P/5PP1/R5K1 w - - 0 1',
    '8/5pk1/6p1/3B4/1p6/5PP1/r6P/3R2K1 b - - 0 40',
    '8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1',
]
NAMES = ['zorvak', 'glaurung']
OPTIONS = {
    'zorvak': ['OwnBook=false', 'Ponder=false'],  # one search thread and a fixed table: nothing to set
    'glaurung': ['Threads=1', 'Hash=32', 'OwnBook=false', 'Ponder=false'],
}
ANSWER_MARGIN_SECONDS = 30  # past the move time, before an engine counts as hung


def reported_count(lines):
    """(nodes, milliseconds) of the last info line that has both; None when there is none."""
    for line in reversed(lines):
        words = line.split()
        if words[:1] != ['info'] or words[1:2] == ['string'] or 'nodes' not in words or 'time' not in words:
            continue
        try:
            return int(words[words.index('nodes') + 1]), int(words[words.index('time') + 1])
        except (IndexError, ValueError):
            continue
    return None


def measure(name, command, fen, movetime, log):
    """(nodes, ms) the engine reports for one search of FEN, started alone and quit after it."""
    try:
        engine = start_engine(command, OPTIONS[name], False, log)
        engine.send('position fen ' + fen)
        lines = engine.answer('go movetime %d' % movetime, 'bestmove', movetime / 1000 + ANSWER_MARGIN_SECONDS)
    except Forfeit as failure:
        raise SystemExit('%s failed on %s: %s' % (name, fen, failure))
    engine.quit()
    # Zorvak keeps its previous position when it refuses one: that search measures nothing.
    if any(line.startswith('info string position refused') for line in lines):
        raise SystemExit('%s refused the position %s' % (name, fen))
    count = reported_count(lines)
    if not count or count[1] <= 0:
        raise SystemExit('%s reported no nodes and time before bestmove on %s' % (name, fen))
    return count


def nps(nodes, ms):
    return nodes * 1000 // ms if ms > 0 else 0


def print_table(title, rows):
    """ROWS: (label, {name: (nodes, ms)}); prints nodes per second and the ratio, then the totals'."""
    totals = {name: tuple(map(sum, zip(*(counts[name] for _, counts in rows)))) for name in NAMES}
    width = max(len(label) for label, _ in rows + [('total', None)])
    print(title)
    others = NAMES[1:]
    print('%-*s %14s' % (width, 'position', NAMES[0] + ' n/s') +
          ''.join(' %14s %7s' % (name + ' n/s', 'ratio') for name in others))
    for label, counts in rows + [('total', totals)]:
        speeds = [nps(*counts[name]) for name in NAMES]
        line = '%-*s %14s' % (width, label, '{:,}'.format(speeds[0]))
        for speed in speeds[1:]:
            line += ' %14s %7.3f' % ('{:,}'.format(speed), speeds[0] / speed if speed else float('inf'))
        print(line)
    print('(reported: %s)\n' % ', '.join('%s %s nodes in %s ms' % (name, '{:,}'.format(totals[name][0]),
                                                                   '{:,}'.format(totals[name][1])) for name in NAMES))


def run_set(number, options, log):
    """One pass over the positions: a table row per position."""
    rows = []
    for index, fen in enumerate(options.positions):
        shift = (index + number) % len(NAMES)
        order = NAMES[shift:] + NAMES[:shift]
        counts = {name: measure(name, options.commands[name], fen, options.movetime, log) for name in order}
        rows.append((fen, counts))
    return rows


def git_output(*arguments):
    run = subprocess.run(['git', '-C', ROOT] + list(arguments), capture_output=True, text=True)
    return run.stdout.strip() if run.returncode == 0 else '?'


def build_cache(binary):
    """The settings of the CMake build folder holding BINARY (or one above it), as a dict."""
    folder = os.path.dirname(os.path.abspath(binary))
    for _ in range(3):
        path = os.path.join(folder, 'CMakeCache.txt')
        if os.path.exists(path):
            settings = {}
            with open(path) as cache:
                for line in cache:
                    name, _, value = line.rstrip('\n').partition('=')
                    settings[name.split(':')[0]] = value
            return path, settings
        folder = os.path.dirname(folder)
    return None, {}


def print_build(options):
    changed = git_output('status', '--porcelain', '--untracked-files=no')
    print('date:     %s' % datetime.datetime.now().strftime('%Y-%m-%d %H:%M'))
    print('commit:   %s%s' % (git_output('rev-parse', '--short', 'HEAD'), ' (with uncommitted changes)' if changed else ''))
    print('zorvak:   %s' % os.path.abspath(options.commands['zorvak']))
    cache, settings = build_cache(options.commands['zorvak'])
    if cache:
        print('build:    %s: CMAKE_BUILD_TYPE=%s CMAKE_CXX_FLAGS="%s" ZORVAK_NATIVE=%s ZORVAK_LTO=%s' % (
            cache, settings.get('CMAKE_BUILD_TYPE', '?'), settings.get('CMAKE_CXX_FLAGS', ''),
            settings.get('ZORVAK_NATIVE', '?'), settings.get('ZORVAK_LTO', 'OFF (no such option)')))
    else:
        print('build:    no CMakeCache.txt found beside the binary: build type unknown')
    for name in NAMES:
        if name != 'zorvak':
            print('%s: %s, options %s' % (name, options.commands[name], ' '.join(OPTIONS[name])))
    print('movetime: %d ms, %d position(s), %d run(s)\n' % (options.movetime, len(options.positions), options.runs))


def read_positions(path):
    if not path:
        return POSITIONS
    with open(path) as f:
        return [line.strip() for line in f if line.strip() and not line.startswith('#')]


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--movetime', type=int, default=5000, help='milliseconds per search (default 5000)')
    parser.add_argument('--runs', type=int, default=1, help='passes over the positions (default 1)')
    parser.add_argument('--positions', help='a file of FENs, one a line (default: a built-in set)')
    parser.add_argument('--zorvak', default=os.path.join(ROOT, 'build/zorvak'), help='the engine binary')
    parser.add_argument('--log', help='every line to and from the engines, with the time')
    parser.add_argument('--glaurung-threads', type=int, default=1,
                        help="glaurung's search threads (default 1, as Zorvak's; glaurung's own default is 2)")
    parser.add_argument('--engine', action='append', default=[],
                        help='LABEL=BINARY[:OPTION=VALUE,...]: one more engine in the same run')
    options = parser.parse_args()
    options.positions = read_positions(options.positions)
    if not options.positions or options.movetime < 1 or options.runs < 1:
        parser.error('need positions, a positive --movetime and --runs')
    if not os.access(options.zorvak, os.X_OK):
        parser.error('no engine binary at %s (build it first)' % options.zorvak)
    options.commands = {'zorvak': os.path.abspath(options.zorvak), 'glaurung': program('glaurung')}
    OPTIONS['glaurung'][0] = 'Threads=%d' % options.glaurung_threads
    for text in options.engine:
        label, _, rest = text.partition('=')
        binary, _, settings = rest.partition(':')
        if not label or not os.access(binary, os.X_OK):
            parser.error('--engine wants LABEL=BINARY[:OPTION=VALUE,...] with an engine binary, not %s' % text)
        NAMES.append(label)
        options.commands[label] = os.path.abspath(binary)
        OPTIONS[label] = OPTIONS['zorvak'] + [setting for setting in settings.split(',') if setting]
    return options


def main():
    options = arguments()
    log = logger(options.log)
    print_build(options)
    overall = [(fen, {name: (0, 0) for name in NAMES}) for fen in options.positions]
    for number in range(1, options.runs + 1):
        rows = run_set(number, options, log)
        print_table('run %d of %d' % (number, options.runs), rows)
        for (_, sums), (_, counts) in zip(overall, rows):
            for name in NAMES:
                sums[name] = (sums[name][0] + counts[name][0], sums[name][1] + counts[name][1])
    if options.runs > 1:
        print_table('all %d runs' % options.runs, overall)
    return 0


if __name__ == '__main__':
    sys.exit(main())
