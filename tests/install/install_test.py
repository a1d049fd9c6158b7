#!/usr/bin/env python3
"""The engine as installed: `cmake --install` into a scratch prefix, and the Debian package.

usage: install_test.py engine BUILD_DIR ENGINE_PATH_IN_PREFIX BOOK_COMPILER
       install_test.py deb BUILD_DIR EXPECTED_CONTENTS

engine: the installed engine, started from folders that have nothing to do with it,
        finds its book (in the working directory first, then beside itself, then in
        its installed data folder) and opens the game with a book move.
deb:    the package cpack builds holds exactly the expected files (dpkg-deb -c).
Exit status 0 passed, 1 failed, 77 skipped.
"""
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
HANG_LIMIT_S = 60  # fails a hang only
BOOK = 'Zorvak.book'
BOOK_ERROR = 'tellusererror BOOK ERROR!'


def run(command, **options):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **options)
    if result.returncode != 0:
        sys.exit('%s failed (%d):\n%s' % (' '.join(command), result.returncode, result.stdout))
    return result.stdout


def first_move(engine, folder):
    """The engine's output lines for new + go, up to its first move (or book error), and its log."""
    process = subprocess.Popen([engine], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    process.stdin.write('xboard\nprotover 2\nnew\ngo\n')
    process.stdin.flush()
    lines, deadline, pending = [], time.monotonic() + HANG_LIMIT_S, ''
    while not any(line.startswith('move ') for line in lines):
        ready, _, _ = select.select([process.stdout], [], [], max(0, deadline - time.monotonic()))
        chunk = os.read(process.stdout.fileno(), 4096).decode() if ready else ''
        if not chunk:
            break  # a hang or the engine's end: the caller sees no move
        pending += chunk
        *done, pending = pending.split('\n')
        lines += done
    process.stdin.write('quit\n')
    process.stdin.close()
    process.wait(HANG_LIMIT_S)
    log_path = os.path.join(folder, 'Zorvak.log')
    log = open(log_path).read().splitlines() if os.path.exists(log_path) else None
    return lines, log


def compile_book(compiler, line, path):
    """A one-line book at path: its only first move tells which book the engine read."""
    with tempfile.NamedTemporaryFile('w', suffix='.txt') as source:
        source.write(line + '\n')
        source.flush()
        run([compiler, source.name, path])


def check_engine(build, engine_in_prefix, compiler):
    prefix = tempfile.mkdtemp(prefix='zorvak-prefix-')
    work = tempfile.mkdtemp(prefix='zorvak-work-')
    try:
        run(['cmake', '--install', build, '--prefix', prefix])
        engine = os.path.join(prefix, engine_in_prefix)
        installed_book = os.path.normpath(os.path.join(os.path.dirname(engine), '..', 'share', 'zorvak', BOOK))
        # name, book to lay (where, SAN line) or None, working folder, book file the log names
        # (None: no log expected), move expected (None: any book move)
        cases = [
            ('installed book', None, work, installed_book, None),
            ('the working folder cannot hold a log', None, '/proc', None, None),
            ('a book beside the executable first', (os.path.dirname(engine), '1. b3'), work,
             os.path.join(os.path.dirname(engine), BOOK), 'b2b3'),
            ('the working folder\'s book first of all', (work, '1. a3'), work, BOOK, 'a2a3'),
        ]
        failures = []
        for name, lay, folder, logged_book, expected in cases:
            if lay:
                compile_book(compiler, lay[1], os.path.join(lay[0], BOOK))
            lines, log = first_move(engine, folder)
            moves = [line[5:] for line in lines if line.startswith('move ')]
            problems = []
            if BOOK_ERROR in lines:
                problems.append('said ' + BOOK_ERROR)
            if len(moves) != 1 or (expected and moves[0] != expected):
                problems.append('first move %s, expected %s' % (moves, expected or 'one'))
            if logged_book is None and log is not None:
                problems.append('wrote a log where none can be written')
            if logged_book is not None:
                wanted = ['-M: book: ' + logged_book] + ['-M: move(book): ' + move for move in moves[:1]]
                missing = [line for line in wanted if line not in (log or [])]
                if missing:
                    problems.append('log lacks %s' % missing)
            if problems:
                failures.append('%s: %s\n  output: %s' % (name, '; '.join(problems), lines))
            print('%-45s %s' % (name, 'FAILED' if problems else 'ok: move ' + ' '.join(moves)))
        print('\n'.join(failures))
        return 1 if failures else 0
    finally:
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.rmtree(work, ignore_errors=True)


def check_deb(build, expected_path):
    if not shutil.which('dpkg-deb'):
        print('SKIPPED: dpkg-deb is missing (Debian\'s dpkg has it)')
        return SKIPPED
    output = tempfile.mkdtemp(prefix='zorvak-deb-')
    try:
        run(['cpack', '-G', 'DEB', '-B', output, '--config', os.path.join(build, 'CPackConfig.cmake')])
        packages = [name for name in os.listdir(output) if name.endswith('.deb')]
        if len(packages) != 1:
            sys.exit('cpack made %s, not one package' % packages)
        # mode, owner and path of every entry; sizes and dates vary
        listed = sorted(' '.join(fields[:2] + fields[5:]) for fields in
                        (line.split() for line in run(['dpkg-deb', '-c', os.path.join(output, packages[0])]).splitlines()))
        expected = sorted(line.strip() for line in open(expected_path) if line.strip() and not line.startswith('#'))
        print(packages[0] + ':\n  ' + '\n  '.join(listed))
        if listed != expected:
            print('missing: %s\nunexpected: %s' % (sorted(set(expected) - set(listed)), sorted(set(listed) - set(expected))))
            return 1
        return 0
    finally:
        shutil.rmtree(output, ignore_errors=True)


def main():
    if len(sys.argv) == 5 and sys.argv[1] == 'engine':
        return check_engine(*sys.argv[2:])
    if len(sys.argv) == 4 and sys.argv[1] == 'deb':
        return check_deb(*sys.argv[2:])
    sys.exit(__doc__)


if __name__ == '__main__':
    sys.exit(main())
