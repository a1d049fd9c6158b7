#!/usr/bin/env python3
"""Makes syntax.pgn and faults.pgn from games of gnuchess-book's book_1.02.pgn.

syntax.pgn: real games written in the forms the PGN standard allows and real files
use (move numbers with and without blanks, 1... for Black, 0-0 and O-O, e8=Q and
e8Q, glyphs, NAGs, nested variations, ; and brace comments over several lines, a %
escape line, escaped characters in a tag value, a whole game on one line, CRLF, the DOS end-of-file mark).

faults.pgn: real games with one fault each inserted between good ones, and
faults.expect: the warning each such game must draw, worked out from the fault put
in (the game's number, what is wrong, the word and its ply).

Usage: make_test_files.py /path/to/book_1.02.pgn
"""
import re
import sys

text = open(sys.argv[1], encoding='latin-1').read()
games = text.split('\n\n[Event')


def tags_and_moves(i):
    head, body = games[i].split('\n\n', 1)
    words = body.split()
    moves = [w for w in (re.sub(r'^\d+\.', '', w) for w in words[:-1]) if w]
    tags = ('[Event' + head if i else head).strip().split('\n')
    return tags, moves, words[-1]


def numbered(moves, per_line=10, spaced=True):
    words = [('%d. ' % (i // 2 + 1) if spaced else '%d.' % (i // 2 + 1)) + m if i % 2 == 0 else m
             for i, m in enumerate(moves)]
    return '\n'.join(' '.join(words[k:k + per_line]) for k in range(0, len(words), per_line))


def game(tags, movetext, result):
    return '\n'.join(tags) + '\n\n' + movetext + ' ' + result + '\n'


def plain(i):
    tags, moves, result = tags_and_moves(i)
    return game(tags, numbered(moves), result)


def syntax():
    out = []
    tags, moves, result = tags_and_moves(18)  # Emms - Adams, Oakham 1986
    words = []
    for i, m in enumerate(moves):
        m = {'O-O': '0-0', 'O-O-O': '0-0-0', 'd1=Q': 'd1Q'}.get(m, m)
        m += {24: '!', 25: '?', 30: '!?', 31: '?!', 40: '!!', 41: '??'}.get(i, '')
        words.append(('%d. ' if i % 2 == 0 else '%d... ') % (i // 2 + 1) + m)
        if i in (5, 17):
            words.append('$1')
        if i == 33:
            words.append('$14')
    tags[0] = '[Event "Spaced and black move numbers, zero castling, glyphs, NAGs, promotion without ="]'
    out.append(game(tags, '\n'.join(' '.join(words[k:k + 8]) for k in range(0, len(words), 8)), result))

    tags, moves, result = tags_and_moves(27)  # Adams - Szekely, Hastings 1987
    words = []
    for i, m in enumerate(moves):
        m = {'O-O-O': '0-0-0'}.get(m, m)
        words.append('%d.%s' % (i // 2 + 1, m) if i % 2 == 0 else m)
        words.append({3: '(2...Nc6 3.Bb5 (3.d4 cxd4 4.Nxd4) 3...e6 {a comment (with a parenthesis})',
                      9: '{A comment\nover three\nlines}',
                      15: '; a rest-of-line comment {with a brace\n',
                      20: '!?',
                      30: '(16.Ne2 Rb8 (16...Qc7)) ; and another\n'}.get(i, ''))
    tags[0] = '[Event "Compact numbers, variations, comments, glyph words, promotion with ="]'
    out.append(game(tags, ' '.join(w for w in words if w).replace('\n ', '\n'), result))

    out.append('[Event "A whole game on one line"] [Site "?"] [Result "0-1"] 1.f3 e5 2.g4 Qh4# 0-1\n')

    tags, moves, result = tags_and_moves(1)  # Adams - Piket, Monaco 1966
    tags[0] = '[Event "The \\"Monaco\\" tournament [round 2]"]'
    tags[1] = '[Site "C:\\\\games\\\\monaco"]'
    out.append(game(tags, numbered(moves, 12), result))

    tags, moves, result = tags_and_moves(25)  # Baguio City 1987
    lines = numbered(moves).split('\n')
    lines.insert(2, '% an escape line between the moves')
    tags[0] = '[Event "Escape lines in the movetext, CRLF line ends"]'
    out.append(game(tags, '\n'.join(lines), result).replace('\n', '\r\n'))

    head = ('\ufeff% An escape line before the first tag, as the PGN standard allows\n'
            '; a rest-of-line comment\n{ A comment before the first tag section,\n  over two lines. }\n\n')
    # The DOS end-of-file mark that old collections end with.
    open('syntax.pgn', 'w', encoding='utf-8', newline='').write(head + '\n'.join(out) + '\x1a')


def faults():
    out, expect = [], []

    def add(text, warning=None):
        out.append(text)
        if warning:
            expect.append('Warning: game %d (%s)' % (len(out), warning))

    def replaced(i, ply, word):
        tags, moves, result = tags_and_moves(i)
        moves[ply - 1] = word
        return game(tags, numbered(moves), result)

    add('% exported by hand\n{ Real games with one fault each between good ones. }\n\n' + plain(200))
    add(replaced(201, 57, 'Kh3'), 'rejected: MOVE NOT LEGAL 1, move: Kh3, plyNo:57')  # the king on g1
    add(plain(202))
    tags, moves, result = tags_and_moves(203)
    other = '0-1' if result != '0-1' else '1-0'
    add(game(tags, numbered(moves), other), 'rejected: wrong end result 1, result: ' + other)
    tags, moves, result = tags_and_moves(204)
    add(game([t for t in tags if not t.startswith('[Result')], numbered(moves), ''),
        'rejected: Result Error 2')
    add(replaced(205, 7, 'Nf9'), 'rejected: MOVE NOT READABLE, move: Nf9, plyNo:7')
    add('[Event "A pinned pawn moves"]\n[Result "1-0"]\n\n1. e4 e5 2. Qh5 f6 3. Qxe5+ 1-0\n',
        'rejected: MOVE NOT LEGAL 2 - check revealed, move: f6, plyNo:4')
    tags, moves, result = tags_and_moves(206)
    add(game(tags, numbered(moves), '').rstrip() + '\n', 'rejected: RESULT MISSING')
    add(plain(207))
    tags, moves, result = tags_and_moves(208)
    add(game(tags, numbered(moves), '*'), 'rejected: Result * error')
    add('[Event "From a set-up position"]\n[Result "1-0"]\n[SetUp "1"]\n'
        '[FEN "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"]\n\n1... e5 2. Nf3 Nc6 1-0\n',
        'skipped: set-up start position')
    tags, moves, result = tags_and_moves(210)
    add(game(tags + ['[SetUp "1"]', '[FEN "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"]'],
             numbered(moves), result))
    tags, moves, result = tags_and_moves(211)
    add(game(tags, numbered(moves[:20] + ['--'] + moves[20:]), result), 'skipped: null move')
    shuffle = ['Nf3', 'Nf6', 'Ng1', 'Ng8'] * 258
    add(game(['[Event "Knights out and back, 1032 plies"]', '[Result "1/2-1/2"]'], numbered(shuffle), '1/2-1/2'),
        'skipped: more than 1023 plies')
    add(plain(200), 'skipped')  # the first game again
    tags, moves, result = tags_and_moves(212)
    add(game([t if not t.startswith('[Result') else '[Result "1/2"]' for t in tags], numbered(moves), ''),
        'rejected: Result Error 1')
    add('%% a comment between games\n{ and another }\n' + plain(213))
    tags, moves, result = tags_and_moves(215)  # the result word tells what the tag does not
    add(game([t for t in tags if not t.startswith('[Result')], numbered(moves), result))
    tags, moves, result = tags_and_moves(216)
    add(game([t if not t.startswith('[Result') else '[Result "?"]' for t in tags], numbered(moves), result))
    tags, moves, result = tags_and_moves(217)  # the file ends inside the last game
    add(game(tags, numbered(moves[:30]), '').rstrip(), 'rejected: RESULT MISSING')
    open('faults.pgn', 'w', encoding='latin-1', newline='').write('\n'.join(out))
    open('faults.expect', 'w').write('\n'.join(expect) + '\n')


syntax()
faults()
