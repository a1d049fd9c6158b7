#!/usr/bin/env python3
"""The PGN text layer on any PGN file, checked with Debian's pgn-extract.

For each file: zorvak-bench pgnedit --copy must give the file back byte for byte;
zorvak-bench pgnedit then writes it with the check's edits (after every main-line
move an evaluation comment, a NAG after every third, a variation repeating the move
played; three tags), and pgn-extract must read the edited file as it reads the
original: the same games, the same main lines, the same ones broken. It reads both
with the options of tests/data/records/make_mainlines.py, with and without
--keepbroken. Prints the counts, the edited file's line lengths and the CPU times.

Usage: annotate_text_check.py ZORVAK_BENCH FILE.pgn [FILE.pgn ...] [--work DIR]
       [--cut-semicolon-comments]  (pgn-extract does not know ';' comments: cut them
                                    off both files before it reads them)
Exit status 1 when a file fails either check.
"""
import argparse
import os
import re
import resource
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../../tests/data/records'))
import make_mainlines  # noqa: E402

LINE_TARGET = 79
PGN_LINE_LIMIT = 255
SHOWN_DIFFERENCES = 5


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_bench(bench, *arguments):
    start = cpu_seconds()
    run = subprocess.run([bench, 'pgnedit'] + list(arguments), capture_output=True, text=True, errors='replace')
    if run.returncode != 0:
        sys.exit('zorvak-bench pgnedit failed: ' + run.stderr)
    return cpu_seconds() - start, run


def readings(path, cut):
    """pgn-extract's main lines of the file: every game (--keepbroken), and those it keeps."""
    text = open(path, 'rb').read()
    if cut:
        text = re.sub(rb';[^\n]*', b'', text)
    start = cpu_seconds()
    every = make_mainlines.main_lines(text, ['--keepbroken'])
    kept = make_mainlines.main_lines(text)
    return cpu_seconds() - start, every, kept


def show_differences(before, after):
    shown = 0
    for index, (old, new) in enumerate(zip(before, after)):
        if old != new and shown < SHOWN_DIFFERENCES:
            print('    game %d:\n      original: %s\n      edited:   %s' % (index + 1, old[:150], new[:150]))
            shown += 1


def line_lengths(path):
    lengths = [len(line.rstrip(b'\r')) for line in open(path, 'rb').read().split(b'\n')]
    return max(lengths), sum(n > LINE_TARGET for n in lengths), sum(n > PGN_LINE_LIMIT for n in lengths)


def check(bench, pgn, work, cut):
    name = os.path.basename(pgn)
    copy, edited = os.path.join(work, name + '.copy'), os.path.join(work, name + '.edited')
    print(name)
    seconds, run = run_bench(bench, pgn, copy, '--copy')
    same = open(copy, 'rb').read() == open(pgn, 'rb').read()
    print('  without edits: %s (%.2f s CPU); %s' % ('byte for byte' if same else 'DIFFERENT', seconds, run.stdout.strip()))
    copied = [line for line in run.stderr.split('\n') if line]
    for line in copied[:SHOWN_DIFFERENCES]:
        print('    ' + line)
    seconds, run = run_bench(bench, pgn, edited)
    print('  with the check\'s edits: %.2f s CPU' % seconds)
    longest, over_target, over_limit = line_lengths(edited)
    original_longest = line_lengths(pgn)[0]
    print('  edited lines: longest %d (original %d), %d over %d characters, %d over %d' %
          (longest, original_longest, over_target, LINE_TARGET, over_limit, PGN_LINE_LIMIT))
    seconds, every, kept = readings(pgn, cut)
    _, every_edited, kept_edited = readings(edited, cut)
    print('  pgn-extract (%.2f s CPU a reading): original %d games, %d without faults; edited %d, %d' %
          (seconds, len(every), len(kept), len(every_edited), len(kept_edited)))
    agree = every == every_edited and kept == kept_edited
    print('  pgn-extract reads the edited games as the original ones: %s' % ('yes' if agree else 'NO'))
    if not agree:
        show_differences(every, every_edited)
    return same and agree


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('bench')
    parser.add_argument('pgn', nargs='+')
    parser.add_argument('--work')
    parser.add_argument('--cut-semicolon-comments', action='store_true')
    arguments = parser.parse_args()
    work = arguments.work or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    results = [check(arguments.bench, pgn, work, arguments.cut_semicolon_comments) for pgn in arguments.pgn]
    print('%d of %d files passed' % (sum(results), len(results)))
    sys.exit(0 if all(results) else 1)


main()
