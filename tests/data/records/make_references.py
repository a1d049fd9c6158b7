#!/usr/bin/env python3
"""Regenerates the references of the PGN files here from Debian's pgn-extract.

For NAME.pgn it writes NAME.games: the games a GAME file can hold, as pgn-extract
reads them, one a line: the result, then the moves in coordinate notation. Those
are the games pgn-extract accepts (it refuses illegal moves and, with
--nobadresults, a result word that contradicts the Result tag) whose Result tag and
result word agree on a decided result, that start from the standard position (no
FEN tag, or one of the standard position), that have at least one and at most 1023
plies, that play by the standard rules (no Variant tag, or one that names standard
chess: pgn-extract reads every game as chess), and that are not the same game (moves
and result) as one before them.

For the files named in WITH_FENS it also writes NAME.fens: the FEN (four fields)
of the position before every ply of those games, in order, from pgn-extract -Wepd.

pgn-extract does not know ';' comments: the files in SEMICOLON_COMMENTS reach it
with their ';' comments cut off (none of those stands inside a brace comment or a
tag).

Usage: make_references.py [NAME.pgn ...] (all the .pgn files here by default)
"""
import os
import re
import subprocess
import sys

PGN_EXTRACT = '/usr/games/pgn-extract'
DECIDED = ('1-0', '0-1', '1/2-1/2')
START = 'rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -'
STANDARD_VARIANTS = ('standard', 'chess', 'normal', 'from position')
MAX_PLIES = 1023
WITH_FENS = {'syntax.pgn', 'faults.pgn', 'tournament-2013.pgn', 'scid-latin1.pgn'}
SEMICOLON_COMMENTS = {'syntax.pgn', 'faults.pgn'}
HERE = os.path.dirname(os.path.abspath(__file__))


def pgn_extract(path, output_format):
    text = open(path, 'rb').read()
    if os.path.basename(path) in SEMICOLON_COMMENTS:
        text = re.sub(rb';[^\n]*', b'', text)
    run = subprocess.run([PGN_EXTRACT, '-s', '--nobadresults', '-C', '-N', '-V', '-w', '100000',
                          output_format], input=text, capture_output=True)
    return run.stdout.decode('latin-1')


def uci_games(path):
    """(tags, moves, result word) of every game pgn-extract puts out."""
    games, tags, body = [], {}, []
    for line in pgn_extract(path, '-Wuci').split('\n') + ['[']:
        if line.startswith('['):
            if body:
                words = ' '.join(body).split()
                # pgn-extract writes the promotion piece in upper case, UCI in lower case.
                moves = [w[:4] + w[4:].lower() for w in words[:-1]]
                games.append((tags, moves, words[-1] if words else ''))
                tags, body = {}, []
            tag = re.match(r'\[(\w+) "(.*)"\]', line)
            if tag:
                tags[tag.group(1)] = tag.group(2)
        elif line.strip() or tags:
            body.append(line)
    return games


def epd_games(path):
    """The positions of every game, the start first, as pgn-extract -Wepd writes them."""
    blocks = pgn_extract(path, '-Wepd').strip().split('\n\n')
    return [[' '.join(line.split()[:4]) for line in block.split('\n')] for block in blocks]


def storable(tags, moves, word):
    fen = tags.get('FEN')
    return (tags.get('Result') in DECIDED and word == tags['Result']
            and (fen is None or ' '.join(fen.split()[:4]) == START)
            and tags.get('Variant', 'standard').lower() in STANDARD_VARIANTS
            and 0 < len(moves) <= MAX_PLIES)


def write_references(name):
    path = os.path.join(HERE, name)
    games = uci_games(path)
    kept, seen = [], set()
    for index, (tags, moves, word) in enumerate(games):
        line = ' '.join([word] + moves)
        if storable(tags, moves, word) and line not in seen:
            seen.add(line)
            kept.append((index, line))
    base = path[:-len('.pgn')]
    with open(base + '.games', 'w') as out:
        out.writelines(line + '\n' for _, line in kept)
    if name in WITH_FENS:
        positions = epd_games(path)
        assert len(positions) == len(games), name
        with open(base + '.fens', 'w') as out:
            for index, line in kept:
                plies = len(line.split()) - 1
                out.writelines(fen + '\n' for fen in positions[index][:plies])
    print('%s: %d games put out by pgn-extract, %d kept' % (name, len(games), len(kept)))


if __name__ == '__main__':
    for name in sys.argv[1:] or sorted(f for f in os.listdir(HERE) if f.endswith('.pgn')):
        write_references(os.path.basename(name))
