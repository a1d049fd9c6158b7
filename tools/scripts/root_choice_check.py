#!/usr/bin/env python3
"""Checks the move the engine plays against what its search found, one timed move per position.

usage: root_choice_check.py [--engine CMD] [--time CS] [--skip PLIES] [--dir DIR] FENS...
  FENS          files of positions, one FEN a line, in game order (tests/data/games/*.fens)
  --skip PLIES  the first PLIES positions of each file are passed over (default 16: the opening)
  --time CS     the engine's clock for each move, in centiseconds (default 400; otim the same)

The engine plays one move per position in xboard mode (level 40 0:05 0, post, no pondering).
Its log tells the iterations it finished ("-E: DEPTH:\\tSCORE\\tPV") and the score of the move it
played ("-***HT: SCORE"). Each move is counted as:
  finished   the first move of the last finished iteration's line
  fail high  another move whose score is at least the last finished score + 30 (a root that
             failed high above the aspiration window)
  proven     another move the log says the unfinished iteration proved better ("-E: PLAYS")
  OTHER      anything else: a move no finished iteration chose and none proved
and the last thinking line sent before the move is compared with it: "shown differs" counts the
moves whose last line names another move.
"""
import argparse
import os
import re
import shlex
import subprocess
import sys
import tempfile

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
ASPIRATION_MARGIN = 30
THINKING = re.compile(r'^(\d+) (-?\d+) (\d+) (\d+) (\S+)')
ITERATION = re.compile(r'^-E: (\d+):\t(-?\d+)\t(\S+)')
TABLE_SCORE = re.compile(r'^-\*\*\*HT: (-?\d+)')
PLAYS = re.compile(r'^-E: PLAYS (\S+) \((.*)\)')


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('fens', nargs='+')
    parser.add_argument('--engine', default=os.path.join(REPO, 'build', 'zorvak'))
    parser.add_argument('--time', type=int, default=400)
    parser.add_argument('--skip', type=int, default=16)
    parser.add_argument('--dir')
    options = parser.parse_args()
    # The engine runs in the scratch folder: a relative path must still lead to it.
    words = shlex.split(options.engine)
    if os.path.exists(words[0]):
        options.engine = shlex.join([os.path.abspath(words[0])] + words[1:])
    return options


def positions(files, skip):
    for name in files:
        with open(name) as f:
            for fen in [line.strip() for line in f if line.strip()][skip:]:
                yield fen


class Engine:
    def __init__(self, command, directory):
        self.process = subprocess.Popen(shlex.split(command), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, bufsize=1, cwd=directory)
        for line in ('xboard', 'protover 2', 'post', 'easy', 'level 40 0:05 0'):
            self.send(line)

    def send(self, line):
        self.process.stdin.write(line + '\n')
        self.process.stdin.flush()

    def move(self, fen, clock):
        """The move played in FEN (None when the game is over there) and the thinking lines before it."""
        self.send('force')
        self.send('setboard ' + fen)
        self.send('time %d' % clock)
        self.send('otim %d' % clock)
        self.send('go')
        self.send('ping 1')
        thinking, move = [], None
        for line in self.process.stdout:
            line = line.strip()
            if THINKING.match(line):
                thinking.append(line)
            elif line.startswith('move '):
                move = line.split()[1]
            elif line.startswith('pong'):
                return move, thinking
        raise SystemExit('the engine ended')

    def quit(self):
        self.send('quit')
        self.process.wait(timeout=30)


def searches(log):
    """Per search (from its "-FEN:" line): the finished iterations, the played score, the PLAYS note."""
    result = []
    for chunk in log.split('-FEN:\t')[1:]:
        lines = chunk.splitlines()
        iterations = [ITERATION.match(line) for line in lines]
        scores = [TABLE_SCORE.match(line) for line in lines]
        plays = [PLAYS.match(line) for line in lines]
        result.append({'fen': lines[0],
                       'iterations': [(int(m.group(1)), int(m.group(2)), m.group(3)) for m in iterations if m],
                       'score': next((int(m.group(1)) for m in scores if m), None),
                       'plays': next((m.group(2) for m in plays if m), None)})
    return result


def kind(move, search):
    if not search['iterations']:
        return 'finished'  # a verdict or a book answer: nothing to compare
    depth, score, first = search['iterations'][-1]
    if move == first:
        return 'finished'
    if search['plays'] and search['plays'] != 'last finished iteration':
        return 'fail high' if search['plays'].startswith('fail high') else 'proven'
    if search['score'] is not None and search['score'] >= score + ASPIRATION_MARGIN:
        return 'fail high'
    return 'OTHER'


def main():
    options = arguments()
    directory = options.dir or tempfile.mkdtemp(prefix='root-choice-')
    os.makedirs(directory, exist_ok=True)
    engine = Engine(options.engine, directory)
    played = []
    for fen in positions(options.fens, options.skip):
        move, thinking = engine.move(fen, options.time)
        if move:
            played.append((fen, move, thinking))
    engine.quit()
    with open(os.path.join(directory, 'Zorvak.log'), errors='replace') as f:
        log_searches = searches(f.read())
    counts, shown_differs, at = {}, 0, 0
    for fen, move, thinking in played:
        # The log's searches come in the order of the moves; a position answered without one has none.
        key = ' '.join(fen.split()[:4])
        search = None
        for i in range(at, len(log_searches)):
            if log_searches[i]['fen'] == key:
                search, at = log_searches[i], i + 1
                break
        k = kind(move, search) if search else 'finished'
        counts[k] = counts.get(k, 0) + 1
        if k == 'OTHER':
            print('OTHER: %s plays %s; last finished %s' % (fen, move, search['iterations'][-1]))
        if thinking and thinking[-1].split()[4] != move:
            shown_differs += 1
            print('shown differs: %s plays %s; last line %s' % (fen, move, thinking[-1]))
    print('%s: %d moves: %s; shown differs %d' % (
        options.engine, len(played), ', '.join('%s %d' % item for item in sorted(counts.items())), shown_differs))
    return 1 if counts.get('OTHER') or shown_differs else 0


if __name__ == '__main__':
    sys.exit(main())
