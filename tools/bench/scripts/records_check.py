#!/usr/bin/env python3
"""The converters on a real PGN collection beside Debian's pgn-extract.

Times zorvak pgn2game, game2pgn and game2pos on the file, and pgn-extract reading the
same file (moves checked, written out as UCI, and as EPD: a line per position), in CPU
seconds; then checks that the GAME file holds
exactly the games pgn-extract reads as storable (decided, from the standard start,
at most 1023 plies, each game once; the rules of tests/data/records/make_references.py)
and prints the counts.

Usage: records_check.py ZORVAK_BINARY FILE.pgn [WORK_DIR]
"""
import os
import re
import resource
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../../tests/data/records'))
import make_references  # noqa: E402


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def timed(command, **kwargs):
    """Runs the command; its CPU time (user and system: on a shared machine the wall
    clock says more about the neighbours) and the run."""
    start = cpu_seconds()
    run = subprocess.run(command, capture_output=True, **kwargs)
    return cpu_seconds() - start, run


def games_of_pgn_text(text):
    lines = text.split('\n')
    games = []
    for tag, movetext in zip(lines[0::2], lines[1::2]):
        result = re.match(r'\[Result "(.*)"\]', tag).group(1)
        games.append(' '.join([result] + [w for w in movetext.split()[:-1] if not w.endswith('.')]))
    return games


def main():
    zorvak, pgn = sys.argv[1], sys.argv[2]
    work = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    game, back, db = (os.path.join(work, 'check.' + ext) for ext in ('game', 'pgn', 'db'))
    for path in (game, back, db):
        if os.path.exists(path):
            os.remove(path)

    seconds, run = timed([zorvak, 'pgn2game', pgn, game])
    report = run.stdout.decode()
    read = len(re.findall(r'^Warning: game', report, re.M)) + int(re.search(r'converted: (\d+)', report).group(1))
    print('pgn2game: %.2f s CPU, %d games read, %.0f games/s' % (seconds, read, read / seconds))
    print('  ' + ' '.join(l for l in report.split('\n') if l.startswith(('converted', 'rejected'))))
    seconds, run = timed([zorvak, 'game2pos', game, db])
    stored = int(re.search(r'converted: (\d+)', run.stdout.decode()).group(1))
    print('game2pos: %.2f s CPU, %d games, %.0f games/s' % (seconds, stored, stored / seconds))
    seconds, run = timed([zorvak, 'game2pgn', game, back])
    print('game2pgn: %.2f s CPU, %.0f games/s' % (seconds, stored / seconds))

    seconds, run = timed([make_references.PGN_EXTRACT, '-s', '-Wuci', '-o', '/dev/null', pgn])
    print('pgn-extract -Wuci: %.2f s CPU, %.0f games/s' % (seconds, read / seconds))
    seconds, run = timed([make_references.PGN_EXTRACT, '-s', '-Wepd', '-o', '/dev/null', pgn])
    print('pgn-extract -Wepd: %.2f s CPU, %.0f games/s' % (seconds, read / seconds))

    kept, seen = [], set()
    for tags, moves, word in make_references.uci_games(pgn):
        line = ' '.join([word] + moves)
        if make_references.storable(tags, moves, word) and line not in seen:
            seen.add(line)
            kept.append(line)
    ours = games_of_pgn_text(open(back).read())
    print('pgn-extract: %d storable games; zorvak: %d; identical lists: %s' % (len(kept), len(ours), kept == ours))
    if kept != ours:
        theirs = set(kept)
        mine = set(ours)
        for line in [l for l in kept if l not in mine][:5]:
            print('  only pgn-extract:', line[:100])
        for line in [l for l in ours if l not in theirs][:5]:
            print('  only zorvak:', line[:100])


main()
