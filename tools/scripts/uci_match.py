#!/usr/bin/env python3
"""A match between two UCI engines with real clocks, played as a GUI plays it.

usage: uci_match.py [options] ENGINE1 ENGINE2      (each a command line, quoted)
  --option1/--option2 NAME=VALUE  a setoption for engine 1/2 (repeatable), e.g. "Skill Level=3"
  --ponder1/--ponder2             let engine 1/2 ponder: go ponder, then ponderhit or stop
  --games N                       games, colours alternating (default 2)
  --tc BASE+INCREMENT             seconds (default 10+0.1)
  --openings builtin|none|FILE    opening moves (FILE: one opening a line, in UCI moves); each
                                  opening is played twice, with colours swapped (default builtin)
  --max-plies N                   a game still going after N plies is a draw (default 400)
  --resign MOVES,CP               a game is won when, for MOVES moves of each side in a row, both
                                  engines agree one side is CP centipawns or more ahead (off by default)
  --draw PLY,MOVES,CP             a draw from ply PLY on when both engines' scores stayed within CP
                                  of 0 for MOVES moves of each side in a row (off by default)
  --margin SECONDS                an engine silent this long past its flag fall has hung (default 5)
  --pgn FILE                      the games, in SAN through pgn-extract (default uci_match.pgn)
  --log FILE                      every line to and from the engines, with the time

The clocks run on wall time from each go (or ponderhit) to its bestmove; wtime/btime/winc/binc go with
every go and a side whose clock runs out loses on time. Debian's stockfish checks every move against
its list of legal moves (go perft 1) and tells the driver the position, from which it ends games by
mate, stalemate, threefold repetition, the fifty-move rule, insufficient material or the ply limit.
Optionally games are adjudicated on the engines' own scores, as tournament managers do (cutechess's
-resign and -draw), to spend the clock time on positions still in question.
An illegal move, a crash, a hang and a loss on time lose the game and are flagged. Prints each game
and a summary line; exit status 1 when anything was flagged.
"""
import argparse
import os
import queue
import re
import shlex
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from debian import program  # noqa: E402
from elo import describe  # noqa: E402

BUILTIN_OPENINGS = ['e2e4 e7e5', 'd2d4 d7d5', 'e2e4 c7c5', 'c2c4 e7e5', 'd2d4 g8f6 c2c4 e7e6',
                    'e2e4 e7e6', 'g1f3 d7d5', 'e2e4 c7c6']
START_SECONDS = 10     # for an engine to answer uci and isready
REFEREE_SECONDS = 30   # for stockfish to list the legal moves
MOVE = re.compile(r'^([a-h][1-8][a-h][1-8][nbrq]?): \d+$')
SCORE = re.compile(r'\bscore (cp|mate) (-?\d+)')
MATE_CP = 100000  # a mate score, for the comparisons of adjudication
DRAW = '1/2-1/2'
FLAG_KINDS = ('time', 'illegal', 'crash', 'hang')
TERMINATION = {None: 'normal', 'time': 'time forfeit', 'illegal': 'rules infraction',
               'crash': 'abandoned', 'hang': 'abandoned'}


class Forfeit(Exception):
    """A side loses the game: KIND is one of FLAG_KINDS."""

    def __init__(self, kind, text):
        super().__init__(text)
        self.kind = kind


class Engine:
    """An engine process; a thread reads its output lines into a queue."""

    def __init__(self, command, log, ponder=False, cwd=None):
        self.log, self.ponder = log, ponder
        self.name = os.path.basename(shlex.split(command)[0])
        self.process = subprocess.Popen(shlex.split(command), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True, bufsize=1, cwd=cwd)
        self.lines = queue.Queue()
        self.pondering = None  # the move it ponders on, while it does
        self.last_score = None  # its score for the move it last played
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())
        self.lines.put(None)

    def send(self, text):
        self.log('%s < %s' % (self.name, text))
        try:
            self.process.stdin.write(text + '\n')
            self.process.stdin.flush()
        except OSError:
            pass  # it has exited: reading its output says so

    def answer(self, command, prefix, seconds):
        """Sends COMMAND and waits for the line that starts with PREFIX."""
        self.send(command)
        return self.wait(prefix, seconds)

    def wait(self, prefix, seconds):
        """The lines it writes up to the first that starts with PREFIX (a string or a tuple of them);
        a Forfeit if it exits first or stays silent for SECONDS."""
        deadline, lines = time.monotonic() + seconds, []
        while not lines or not lines[-1].startswith(prefix):
            try:
                line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                awaited = '" or "'.join(prefix) if isinstance(prefix, tuple) else prefix
                raise Forfeit('hang', '%s sent no "%s" in %.1f s' % (self.name, awaited, seconds))
            if line is None:
                self.lines.put(None)
                raise Forfeit('crash', '%s exited' % self.name)
            self.log('%s > %s' % (self.name, line))
            lines.append(line)
        return lines

    def quit(self):
        """Asks it to quit, kills it if it does not; True if it exited by itself."""
        self.send('quit')
        try:
            self.process.wait(timeout=START_SECONDS)
            return True
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return False


class Referee:
    """Debian's stockfish as the judge: the FEN, check and legal moves of the position after MOVES."""

    def __init__(self, log):
        self.engine = Engine(program('stockfish'), log)
        self.ask('uci', 'uciok')

    def ask(self, command, prefix):
        try:
            return self.engine.answer(command, prefix, REFEREE_SECONDS)
        except Forfeit as failure:
            raise SystemExit('the referee failed: %s' % failure)

    def position(self, moves):
        self.engine.send(position_command(moves))
        self.engine.send('d')
        lines = self.ask('go perft 1', 'Nodes searched')
        fen = next(line[len('Fen: '):] for line in lines if line.startswith('Fen: '))
        in_check = any(line.startswith('Checkers:') and line[len('Checkers:'):].strip() for line in lines)
        legal = {MOVE.match(line).group(1) for line in lines if MOVE.match(line)}
        return fen, in_check, legal


def position_command(moves):
    return 'position startpos' + (' moves ' + ' '.join(moves) if moves else '')


def go_command(clocks, increment, ponder=False):
    return 'go%s wtime %d btime %d winc %d binc %d' % (' ponder' if ponder else '', clocks[0] * 1000,
                                                       clocks[1] * 1000, increment * 1000, increment * 1000)


def start_engine(command, options, ponder, log):
    """Starts the engine and sets its options; raises a Forfeit if it does not come up."""
    # As GUIs do, in the program's own folder, where an engine looks for its book.
    words = shlex.split(command)
    folder = None
    if os.sep in words[0]:  # a path, relative to where the script was started: made absolute
        words[0] = os.path.abspath(words[0])
        folder = os.path.dirname(words[0])
        command = shlex.join(words)
    engine = Engine(command, log, ponder, cwd=folder)
    for line in engine.answer('uci', 'uciok', START_SECONDS):
        if line.startswith('id name '):
            engine.name = line[len('id name '):]
    for option in options + (['Ponder=true'] if ponder else []):
        name, value = option.split('=', 1)
        engine.send('setoption name %s value %s' % (name, value))
    engine.send('ucinewgame')
    engine.answer('isready', 'readyok', START_SECONDS)
    return engine


def think(engine, moves, clocks, increment, margin):
    """The engine's move and the move it would ponder on, its clock charged; a Forfeit on a loss."""
    side = len(moves) % 2
    started = time.monotonic()
    if engine.pondering is not None and engine.pondering == moves[-1]:
        engine.send('ponderhit')
    else:
        if engine.pondering is not None:
            engine.answer('stop', 'bestmove', margin)
        engine.send(position_command(moves))
        engine.send(go_command(clocks, increment))
    engine.pondering = None
    lines = engine.wait('bestmove', clocks[side] + margin)
    words = lines[-1].split()
    engine.last_score = last_score(lines)
    clocks[side] -= time.monotonic() - started
    if clocks[side] < 0:
        raise Forfeit('time', '%s lost on time (%.2f s over)' % (engine.name, -clocks[side]))
    clocks[side] += increment
    move = words[1] if len(words) > 1 else '(none)'
    return move, words[3] if len(words) > 3 and words[2] == 'ponder' else None


def last_score(lines):
    """The last score the engine gave before its move, in centipawns for the side to move, or None."""
    for line in reversed(lines):
        found = SCORE.search(line)
        if found:
            kind, value = found.group(1), int(found.group(2))
            return value if kind == 'cp' else (MATE_CP if value > 0 else -MATE_CP)
    return None


def score_adjudication(scores, options):
    """(result, reason) when the engines' recent scores (White's view, one a ply) settle the game."""
    if options.resign:
        count, margin = options.resign
        recent = scores[-2 * count:]
        if len(recent) == 2 * count and None not in recent:
            if all(score >= margin for score in recent):
                return '1-0', 'adjudicated: both engines saw White %d cp ahead' % margin
            if all(score <= -margin for score in recent):
                return '0-1', 'adjudicated: both engines saw Black %d cp ahead' % margin
    if options.draw:
        first_ply, count, margin = options.draw
        recent = scores[-2 * count:]
        if (len(scores) >= first_ply and len(recent) == 2 * count and None not in recent
                and all(abs(score) <= margin for score in recent)):
            return DRAW, 'adjudicated: both engines saw a draw'
    return None


def ponder(engine, moves, guess, clocks, increment):
    if engine.ponder and guess:
        engine.send(position_command(moves + [guess]))
        engine.send(go_command(clocks, increment, ponder=True))
        engine.pondering = guess


def insufficient_material(placement):
    """No pawn, rook or queen, and at most one minor piece or only bishops on squares of one colour."""
    pieces, square = [], 0
    for char in placement.replace('/', ''):
        if char.isdigit():
            square += int(char)
            continue
        if char not in 'kK':
            pieces.append((char.lower(), (square // 8 + square % 8) % 2))
        square += 1
    if any(piece in 'prq' for piece, _ in pieces):
        return False
    return len(pieces) <= 1 or (all(piece == 'b' for piece, _ in pieces) and len({c for _, c in pieces}) == 1)


def adjudication(fen, in_check, legal, seen, plies, max_plies):
    """(result, reason) if the game ends in this position, else None; SEEN counts the positions so far."""
    placement, to_move, castling, en_passant, halfmoves = fen.split()[:5]
    if not legal and not in_check:
        return DRAW, 'stalemate'
    if not legal:
        return ('0-1', 'Black mates') if to_move == 'w' else ('1-0', 'White mates')
    key = (placement, to_move, castling, en_passant)
    seen[key] = seen.get(key, 0) + 1
    if seen[key] >= 3:
        return DRAW, 'threefold repetition'
    if int(halfmoves) >= 100:
        return DRAW, 'fifty-move rule'
    if insufficient_material(placement):
        return DRAW, 'insufficient material'
    if plies >= max_plies:
        return DRAW, 'adjudicated after %d plies' % max_plies
    return None


def play(engines, referee, moves, options):
    """Plays on from MOVES (which it extends) until the game ends: (result, reason, flag kind or None)."""
    clocks, seen, scores = [options.base, options.base], {}, []
    while True:
        fen, in_check, legal = referee.position(moves)
        ending = (adjudication(fen, in_check, legal, seen, len(moves), options.max_plies)
                  or score_adjudication(scores, options))
        if ending:
            return ending + (None,)
        side = len(moves) % 2
        try:
            move, guess = think(engines[side], moves, clocks, options.increment, options.margin)
            if move not in legal:
                raise Forfeit('illegal', '%s played the illegal move %s' % (engines[side].name, move))
        except Forfeit as loss:
            return ('0-1' if side == 0 else '1-0'), str(loss), loss.kind
        moves.append(move)
        score = engines[side].last_score
        scores.append(None if score is None else (score if side == 0 else -score))
        ponder(engines[side], moves, guess, clocks, options.increment)


def play_game(number, options, referee, log):
    """One game, engine 1 white in odd-numbered games: a dict of its players, moves, result and reason."""
    order = (0, 1) if number % 2 == 1 else (1, 0)
    moves = options.openings[(number - 1) // 2 % len(options.openings)].split()
    game = {'round': number, 'moves': moves, 'flag': None,
            'players': [os.path.basename(shlex.split(options.engines[index])[0]) for index in order]}
    engines = []
    try:
        for side, index in enumerate(order):
            engines.append(start_engine(options.engines[index], options.engine_options[index],
                                        options.ponders[index], log))
            game['players'][side] = engines[-1].name
        game['result'], game['reason'], game['flag'] = play(engines, referee, moves, options)
    except Forfeit as loss:
        side = len(engines)
        game['result'], game['reason'], game['flag'] = ('0-1' if side == 0 else '1-0'), str(loss), loss.kind
    for engine in engines:
        engine.quit()
    game['engine_white'] = order[0]
    return game


def pgn_text(game, options):
    tags = [('Event', 'uci_match'), ('Site', '?'), ('Date', time.strftime('%Y.%m.%d')), ('Round', game['round']),
            ('White', game['players'][0]), ('Black', game['players'][1]), ('Result', game['result']),
            ('TimeControl', '%g+%g' % (options.base, options.increment)),
            ('Termination', TERMINATION[game['flag']])]
    head = ''.join('[%s "%s"]\n' % tag for tag in tags)
    return '%s\n%s {%s} %s\n\n' % (head, ' '.join(game['moves']), game['reason'], game['result'])


def write_pgn(games, options):
    """Writes the games with their moves in SAN, which pgn-extract makes from our UCI moves."""
    with tempfile.NamedTemporaryFile('w', suffix='.pgn', delete=False) as raw:
        raw.write(''.join(pgn_text(game, options) for game in games))
    subprocess.run([program('pgn-extract'), '-s', '-o', options.pgn, raw.name], check=True)
    os.unlink(raw.name)


def engine1_points(game):
    """1, 0.5 or 0 for engine 1."""
    white_points = {'1-0': 1, '0-1': 0, DRAW: 0.5}[game['result']]
    return white_points if game['engine_white'] == 0 else 1 - white_points


def summary(games):
    """The score from engine 1's side and the count of each kind of flagged loss."""
    first = games[0]
    names = first['players'] if first['engine_white'] == 0 else first['players'][::-1]
    points = [engine1_points(game) for game in games]
    flags = [game['flag'] for game in games]
    wins, draws, losses = points.count(1), points.count(0.5), points.count(0)
    return ('%s vs %s: +%d =%d -%d in %d games (%s); time losses %d, illegal moves %d, crashes %d, hangs %d'
            % (*names, wins, draws, losses, len(games), describe(wins, draws, losses), *map(flags.count, FLAG_KINDS)))


def read_openings(choice):
    if choice == 'builtin':
        return BUILTIN_OPENINGS
    if choice == 'none':
        return ['']
    with open(choice) as f:
        return [line.strip() for line in f if line.strip()]


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('engine1')
    parser.add_argument('engine2')
    parser.add_argument('--option1', action='append', default=[])
    parser.add_argument('--option2', action='append', default=[])
    parser.add_argument('--ponder1', action='store_true')
    parser.add_argument('--ponder2', action='store_true')
    parser.add_argument('--games', type=int, default=2)
    parser.add_argument('--tc', default='10+0.1')
    parser.add_argument('--openings', default='builtin')
    parser.add_argument('--max-plies', type=int, default=400)
    parser.add_argument('--resign', type=lambda text: tuple(map(int, text.split(','))))
    parser.add_argument('--draw', type=lambda text: tuple(map(int, text.split(','))))
    parser.add_argument('--margin', type=float, default=5.0)
    parser.add_argument('--pgn', default='uci_match.pgn')
    parser.add_argument('--log')
    options = parser.parse_args()
    options.base, options.increment = map(float, options.tc.split('+'))
    options.engines = (options.engine1, options.engine2)
    options.engine_options = (options.option1, options.option2)
    options.ponders = (options.ponder1, options.ponder2)
    options.openings = read_openings(options.openings)
    return options


def logger(path):
    """A function writing a line with the time to PATH, or doing nothing without a path."""
    if not path:
        return lambda text: None
    log, started = open(path, 'w', buffering=1), time.monotonic()
    return lambda text: log.write('%9.3f %s\n' % (time.monotonic() - started, text))


def main():
    options = arguments()
    log = logger(options.log)
    referee = Referee(log)
    games = []
    for number in range(1, options.games + 1):
        games.append(play_game(number, options, referee, log))
        game = games[-1]
        print('game %d: %s - %s %s {%s} %d plies' % (number, *game['players'], game['result'], game['reason'],
                                                     len(game['moves'])), flush=True)
    referee.engine.quit()
    write_pgn(games, options)
    print(summary(games))
    return 1 if any(game['flag'] for game in games) else 0


if __name__ == '__main__':
    sys.exit(main())
