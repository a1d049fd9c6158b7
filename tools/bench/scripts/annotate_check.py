#!/usr/bin/env python3
"""zorvak annotate on a real PGN collection, checked with Debian's pgn-extract.

usage: annotate_check.py ZORVAK IN.pgn [--depth D | --movetime MS] [--jobs J] [--compare-jobs J2] [--work DIR]

Annotates IN into WORK/out.pgn (timed: wall clock and the CPU time of the process), then lets
pgn-extract read IN and OUT with the moves checked (-s --notags -C -N -V -w 100000 -Wsan): both must
give the same games with the same main-line moves, and pgn-extract must report no error on OUT.
Counts the main-line moves of OUT and those with an [%eval] comment, the NAGs given and the games
copied unanalysed. With --compare-jobs J2 (and --depth) annotates again with J2 jobs and compares the
two outputs byte for byte. Exit status 1 when a check fails.
"""
import argparse
import os
import resource
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts'))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from debian import program  # noqa: E402
from pgn_mainline import evaluation, games  # noqa: E402


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('zorvak')
    parser.add_argument('pgn')
    parser.add_argument('--depth', type=int)
    parser.add_argument('--movetime', type=int)
    parser.add_argument('--jobs', type=int, default=1)
    parser.add_argument('--compare-jobs', type=int)
    parser.add_argument('--work')
    return parser.parse_args()


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def annotate(options, out, jobs):
    command = [os.path.abspath(options.zorvak), 'annotate', options.pgn, out, '--jobs', str(jobs)]
    if options.depth:
        command += ['--depth', str(options.depth)]
    if options.movetime:
        command += ['--movetime', str(options.movetime)]
    cpu, wall = children_cpu(), time.monotonic()
    run = subprocess.run(command, capture_output=True, text=True)
    return run, time.monotonic() - wall, children_cpu() - cpu


def pgn_extract_mainlines(path):
    """pgn-extract's games of the file: one line of SAN moves each, and what it said on stderr."""
    run = subprocess.run([program('pgn-extract'), '-s', '--notags', '-C', '-N', '-V', '-w', '100000', '-Wsan',
                          path], capture_output=True, text=True, errors='replace')
    lines = [line.strip() for line in run.stdout.split('\n') if line.strip()]
    return lines, run.stderr


def main():
    options = arguments()
    work = options.work or tempfile.mkdtemp(prefix='annotate-check-')
    os.makedirs(work, exist_ok=True)
    out = os.path.join(work, 'out.pgn')
    run, wall, cpu = annotate(options, out, options.jobs)
    print(run.stdout.strip().split('\n')[-2] if run.stdout.strip() else '(no report)')
    failed = run.returncode != 0
    before, _ = pgn_extract_mainlines(options.pgn)
    after, complaints = pgn_extract_mainlines(out)
    same = before == after
    print('pgn-extract: %d games in IN, %d in OUT, main lines %s; its remarks on OUT: %s' % (
        len(before), len(after), 'the same' if same else 'DIFFERENT', complaints.strip() or 'none'))
    with open(out, errors='replace') as f:
        annotated = games(f.read())
    moves = sum(len(m) for _, m in annotated)
    with_eval = sum(1 for _, m in annotated for move in m if evaluation(move) is not None)
    nags = {}
    for _, m in annotated:
        for move in m:
            for nag in move['nags']:
                nags[nag] = nags.get(nag, 0) + 1
    analysed = sum(1 for tags, _ in annotated if 'Annotator' in tags)
    analysed_moves = sum(len(m) for tags, m in annotated if 'Annotator' in tags)
    print('games annotated %d of %d; main-line moves %d, of the annotated games %d, with [%%eval] %d; NAGs %s' % (
        analysed, len(annotated), moves, analysed_moves, with_eval,
        ', '.join('$%d: %d' % item for item in sorted(nags.items()))))
    print('time: %.1f s wall, %.1f s CPU, %d jobs: %.2f s wall a game' % (
        wall, cpu, options.jobs, wall / max(1, len(annotated))))
    failed = failed or not same or bool(complaints.strip()) or with_eval != analysed_moves
    if options.compare_jobs:
        other = os.path.join(work, 'out-jobs%d.pgn' % options.compare_jobs)
        second, wall2, _ = annotate(options, other, options.compare_jobs)
        with open(out, 'rb') as a, open(other, 'rb') as b:
            identical = a.read() == b.read()
        print('with %d jobs: %.1f s wall; output %s' % (options.compare_jobs, wall2,
                                                      'identical' if identical else 'DIFFERENT'))
        failed = failed or not identical or second.returncode != 0
    print('files in ' + work)
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
