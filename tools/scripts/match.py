#!/usr/bin/env python3
"""Plays the engine over pipes, as an xboard GUI would, against Debian's stockfish.

usage: match.py [GAMES] [CLOCK_CS] [INCREMENT_S] [STOCKFISH_MS] [ENGINE]
The engine gets time/otim before each of its moves and ponders; its clock is kept from wall time.
Stockfish (UCI, skill level 3) gets a fixed time a move. Colours alternate. Stockfish also checks every
move of the engine and tells the position, from which the games end by the rules (uci_match's referee).
Reports per game how it ended and flags what must never happen: an illegal move, a loss on time, a
crash, a hang, a hang at quit. Each game runs in a directory of its own, with the default book copied in
and the engines' traffic in match.log.
"""
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from debian import program  # noqa: E402
from uci_match import Engine, Forfeit, Referee, adjudication, logger, position_command, start_engine  # noqa: E402

ENGINE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'build', 'zorvak')
MAX_PLIES = 300
MARGIN = 5  # seconds past its flag fall after which the engine has hung
REPLIES = ('move ', '1-0', '0-1', '1/2-1/2', 'Illegal move')


def arguments():
    values = sys.argv[1:] + [None] * 5
    games, clock_cs, increment, stockfish_ms, engine = values[:5]
    return (int(games or 2), int(clock_cs or 6000), int(increment or 1), int(stockfish_ms or 30),
            os.path.abspath(engine or ENGINE))


def game_directory(root, number, engine):
    directory = os.path.join(root, 'game%d' % number)
    os.makedirs(directory)
    book = os.path.join(os.path.dirname(engine), 'Zorvak.book')
    if os.path.exists(book):
        shutil.copy(book, directory)
    return directory


def start_xboard_engine(engine, directory, clock_cs, increment, white, log):
    xboard = Engine(engine, log, cwd=directory)
    level = 'level 0 %d:%02d %d' % (*divmod(clock_cs // 100, 60), increment)
    for command in ('xboard', 'protover 2', 'new', level, 'hard'):
        xboard.send(command)
    if not white:
        xboard.send('force')
    return xboard


def engine_move(xboard, moves, clock, first):
    """Tells the engine its clock and stockfish's move (or go at its first turn); returns its reply."""
    if first and moves:
        xboard.send(moves[-1])  # in force mode: recorded, not answered
    xboard.send('time %d' % (clock * 100))
    xboard.send('otim %d' % (clock * 100))
    xboard.send('go' if first else moves[-1])
    return xboard.wait(REPLIES, clock + MARGIN)[-1]


def play(xboard, stockfish, referee, game, options):
    """Plays until the game ends, keeping GAME's moves, clock and longest think; returns how it ended."""
    _, increment, stockfish_ms = options
    moves, seen = game['moves'], {}
    while True:
        fen, in_check, legal = referee.position(moves)
        ending = adjudication(fen, in_check, legal, seen, len(moves), MAX_PLIES)
        if ending:
            return '%s %s' % ending
        if (len(moves) % 2 == 0) != game['white']:
            stockfish.send(position_command(moves))
            moves.append(stockfish.answer('go movetime %d' % stockfish_ms, 'bestmove', MARGIN)[-1].split()[1])
            continue
        started = time.monotonic()
        reply = engine_move(xboard, moves, game['clock'], len(moves) < 2)
        game['longest'] = max(game['longest'], time.monotonic() - started)
        game['clock'] -= time.monotonic() - started
        if not reply.startswith('move '):
            return 'the engine said "%s"' % reply
        if game['clock'] < 0:
            return 'ENGINE LOST ON TIME'
        if reply[5:] not in legal:
            return 'ILLEGAL engine move ' + reply[5:]
        game['clock'] += increment
        moves.append(reply[5:])


def play_game(number, root, options, engine):
    directory = game_directory(root, number, engine)
    log = logger(os.path.join(directory, 'match.log'))
    clock_cs, increment, _ = options
    game = {'white': number % 2 == 0, 'moves': [], 'clock': clock_cs / 100, 'longest': 0.0}
    xboard = start_xboard_engine(engine, directory, clock_cs, increment, game['white'], log)
    stockfish = start_engine(program('stockfish'), ['Skill Level=3'], False, log)
    referee = Referee(log)
    try:
        ending = play(xboard, stockfish, referee, game, options)
    except Forfeit as loss:
        ending = 'FORFEIT: %s' % loss
    quit_status = 'exit' if xboard.quit() else 'HUNG AT QUIT'
    stockfish.quit()
    referee.engine.quit()
    print('game %d engine %s: %s after %d plies, clock left %.0f ms, longest think %.0f ms, %s' % (
        number, 'white' if game['white'] else 'black', ending, len(game['moves']), game['clock'] * 1000,
        game['longest'] * 1000, quit_status), flush=True)


def main():
    games, clock_cs, increment, stockfish_ms, engine = arguments()
    root = tempfile.mkdtemp(prefix='zorvak-match-')
    for number in range(games):
        play_game(number, root, (clock_cs, increment, stockfish_ms), engine)
    print('logs in', root)


if __name__ == '__main__':
    main()
