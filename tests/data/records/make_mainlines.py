#!/usr/bin/env python3
"""Regenerates NAME.mainline beside every PGN file of tests/data/records, games and
puzzles: the main line of each game as Debian's pgn-extract reads it, one game a line.

The line is pgn-extract's movetext of the game with its moves written as in the file
(-W), without tags, comments, NAGs or variations, on one line:
    pgn-extract -s --notags -C -N -V -w 100000 -W --keepbroken < NAME.pgn
--keepbroken keeps the games pgn-extract finds a fault in (an illegal move, a result
at odds with the tags), cut off at the fault, so that there is a line for every game
it reads. Those are marked "broken", the others "ok": a game is ok when it is also
in the output without --keepbroken (the two outputs are walked side by side).

pgn-extract does not know ';' comments: the files in SEMICOLON_COMMENTS reach it with
their ';' comments cut off (none stands inside a brace comment or a tag).

Usage: make_mainlines.py [FILE.pgn ...] (all of them by default)
"""
import glob
import os
import re
import subprocess
import sys

PGN_EXTRACT = '/usr/games/pgn-extract'
OPTIONS = ['-s', '--notags', '-C', '-N', '-V', '-w', '100000', '-W']
SEMICOLON_COMMENTS = {'syntax.pgn', 'faults.pgn'}
DATA = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ('records', 'games', 'puzzles')


def pgn_extract_text(path):
    text = open(path, 'rb').read()
    if os.path.basename(path) in SEMICOLON_COMMENTS:
        text = re.sub(rb';[^\n]*', b'', text)
    return text


def main_lines(text, extra=()):
    run = subprocess.run([PGN_EXTRACT] + OPTIONS + list(extra), input=text, capture_output=True)
    return [line for line in run.stdout.decode('latin-1').split('\n') if line.strip()]


def marked_lines(path):
    text = pgn_extract_text(path)
    every, kept = main_lines(text, ['--keepbroken']), main_lines(text)
    marked, next_kept = [], 0
    for line in every:
        ok = next_kept < len(kept) and kept[next_kept] == line
        next_kept += ok
        marked.append(('ok ' if ok else 'broken ') + line)
    assert next_kept == len(kept), path
    return marked


def write_mainlines(path):
    marked = marked_lines(path)
    with open(path[:-len('.pgn')] + '.mainline', 'w', encoding='latin-1') as out:
        out.writelines(line + '\n' for line in marked)
    broken = sum(line.startswith('broken') for line in marked)
    print('%s: %d games, %d broken' % (os.path.relpath(path, DATA), len(marked), broken))


if __name__ == '__main__':
    paths = sys.argv[1:] or sorted(p for folder in FOLDERS for p in glob.glob(os.path.join(DATA, folder, '*.pgn')))
    for pgn in paths:
        write_mainlines(os.path.abspath(pgn))
