#!/usr/bin/env python3
"""Plays the engine against Debian's fairymax inside the real XBoard and reports what a user would see.

usage: xboard_match.py [--uci] [--engine CMD] [--name NAME] [--opponent CMD] [--opponent-name NAME]
                       [--openings N] [--cores N] [--hash MB] [--dir DIR] GAMES TIMECONTROL
  TIMECONTROL     MOVES/SECONDS (40/10: 40 moves in 10 s) or SECONDS+INCREMENT (5+0.1)
  --uci           load the engine as a UCI engine (-fUCI: XBoard runs it through polyglot)
  --engine CMD    the engine (default: build/zorvak; `zorvak` for the installed one), started in a folder of
                  its own with nothing in it: it finds its book by itself
  --opponent CMD  the opponent, an xboard engine (default: Debian's fairymax)
  --opponent-name NAME  its name in the PGN (default: its file name; give one when both are Zorvak)
  --openings N    start the games from N openings of at least 10 plies, spread over pgn-extract's ECO
                  file (Debian's pgn-extract), each played twice with colours reversed
  --cores N       XBoard's -smpCores N: it sends "cores N" to the engines that announce smp=1
  --hash MB       XBoard's -defaultHashSize MB: it sends "memory" to the engines that announce memory=1
  --dir DIR       the scratch directory (default: a new one under /tmp)

XBoard runs unattended (-noGUI under xvfb-run) in match mode: colours alternate, pondering is on and
flag falls are called. Afterwards its saved PGN and debug file are read: every game's result and how it
ended, with each loss on time, crash or disconnect, illegal move, engine "Error" reply and unfinished
game flagged. Exit status 1 when the engine was flagged or a game did not finish.
"""
import argparse
import os
import re
import shlex
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from debian import GAMES_DIR, program  # noqa: E402
from elo import describe  # noqa: E402

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
PGN, DEBUG, OUTPUT = 'games.pgn', 'xboard.debug', 'xboard.out'
ADAPTER = 'polyglot -noini -ec "%fcp" -ed "%fd"'
LONG_GAME_MOVES = 150   # moves a side may have to play: bounds the wait for a hung XBoard
START_SECONDS = 30      # engine start-up and XBoard's pause between games
END_MARK = re.compile(r'\{([^}]*)\}\s*(?:1-0|0-1|1/2-1/2|\*)\s*$')
ENGINE_LINE = re.compile(r'^\d+ <(first|second)\s*: (.*)$', re.M)
# XBoard's own notes (not its protocol lines, nor the echoes of a game's end) about engines
XBOARD_ALARM = re.compile(r'^(?!\d+ [<>]|GameEnds|GE\()(.*(?:exited unexpectedly|Error reading from|Error writing to'
                          r'|Illegal move ".*" from|Forfeit due to).*)$', re.M)
ENGINE_ALARM = ('Error', 'Illegal move', 'tellusererror')
ENDINGS = (('time', 'LOST ON TIME', ('on time', 'out of time')),  # kind, label, words of XBoard's comment
           ('crash', 'CRASH', ('exit', 'Error writing', 'Error reading', 'disconnect')),
           ('illegal', 'ILLEGAL MOVE', ('llegal', 'Forfeit')))


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('games', type=int)
    parser.add_argument('timecontrol')
    parser.add_argument('--uci', action='store_true')
    parser.add_argument('--engine', default=os.path.join(REPO, 'build', 'zorvak'))
    parser.add_argument('--name', help='the engine\'s name in the PGN (default: its file name)')
    parser.add_argument('--opponent')
    parser.add_argument('--opponent-name')
    parser.add_argument('--openings', type=int, default=0)
    parser.add_argument('--cores', type=int)
    parser.add_argument('--hash', type=int)
    parser.add_argument('--dir')
    options = parser.parse_args()
    options.name = options.name or os.path.basename(options.engine.split()[0])
    options.opponent = options.opponent or program('fairymax')
    # XBoard starts the engines in their own folders: a relative path must still lead to them.
    options.engine, options.opponent = absolute(options.engine), absolute(options.opponent)
    options.opponent_name = options.opponent_name or os.path.basename(options.opponent.split()[0])
    options.dir = os.path.abspath(options.dir or tempfile.mkdtemp(prefix='xboard-match-'))
    return options


def absolute(command):
    words = shlex.split(command)
    if os.sep in words[0] and os.path.exists(words[0]):
        words[0] = os.path.abspath(words[0])
    return shlex.join(words)


def time_control(text):
    """XBoard's clock options for TEXT, and the seconds one side may use in a long game."""
    if '/' in text:
        moves, seconds = text.split('/')
        sessions = -(-LONG_GAME_MOVES // int(moves))
        return ['-mps', moves, '-tc', minutes(seconds)], float(seconds) * sessions
    seconds, increment = text.split('+')
    return ['-tc', minutes(seconds), '-inc', increment], float(seconds) + LONG_GAME_MOVES * float(increment)


def minutes(seconds):
    return '%d:%02d' % divmod(int(seconds), 60)


def engine_directory(options):
    """The engine's working directory: an empty one, as an interface's folder would be."""
    directory = os.path.join(options.dir, 'engine')
    os.makedirs(directory, exist_ok=True)
    return directory


ECO_FILE = '/usr/share/pgn-extract/eco.pgn'
OPENINGS = 'openings.pgn'
OPENING_MIN_PLIES = 10


def opening_file(options):
    """Writes N openings of at least OPENING_MIN_PLIES plies, evenly spread over the ECO codes; its path."""
    extract = program('pgn-extract')
    everything = os.path.join(options.dir, 'eco-long.pgn')
    subprocess.run([extract, '-s', '-7', '-pl%d' % OPENING_MIN_PLIES, '-o', everything, ECO_FILE], check=True,
                   stderr=subprocess.DEVNULL)
    games = [g for g in re.split(r'\n(?=\[Event )', read(everything)) if g.strip() and '#' not in g]
    step = max(1, len(games) // options.openings)
    path = os.path.join(options.dir, OPENINGS)
    with open(path, 'w') as f:
        f.write('\n'.join(games[::step][:options.openings]).strip() + '\n')
    return path


def xboard_command(options, clock):
    command = [program('xvfb-run', 'xvfb'), '-a', program('xboard'), '-noGUI',
               '-fcp', options.engine, '-fd', engine_directory(options), '-fn', options.name,
               '-scp', options.opponent, '-sn', options.opponent_name, '-mg', str(options.games), *clock,
               '-ponderNextMove', 'true', '-autoCallFlag', 'true',
               '-sgf', PGN, '-debug', '-nameOfDebugFile', DEBUG,
               '-xexit', '-saveSettingsOnExit', 'false', '-matchPause', '1000']
    if options.openings:
        command += ['-lgf', opening_file(options), '-lgi', '-2']
    if options.cores:
        command += ['-smpCores', str(options.cores)]
    if options.hash:
        command += ['-defaultHashSize', str(options.hash)]
    if options.uci:
        program('polyglot')
        command += ['-fUCI', '-adapterCommand', ADAPTER]
    return command


def default_sigint():
    # A GUI started from a terminal hands its engines the default SIGINT action, which kills an engine
    # that does not ask XBoard to spare it; a script started in the background would pass on "ignore".
    signal.signal(signal.SIGINT, signal.SIG_DFL)


def run_xboard(command, directory, limit):
    """Runs XBoard in a process group of its own; True if it exited by itself within LIMIT seconds."""
    environment = dict(os.environ, PATH=os.environ.get('PATH', '') + os.pathsep + GAMES_DIR)
    with open(os.path.join(directory, OUTPUT), 'w') as output:
        xboard = subprocess.Popen(command, cwd=directory, env=environment, stdin=subprocess.DEVNULL,
                                  stdout=output, stderr=subprocess.STDOUT,
                                  start_new_session=True, preexec_fn=default_sigint)
        try:
            xboard.wait(timeout=limit)
            return True
        except subprocess.TimeoutExpired:
            stop_group(xboard)
            return False


def stop_group(process):
    """Asks the whole group (XBoard, Xvfb, engines) to terminate, then kills what is left."""
    for sig, grace in ((signal.SIGTERM, 5), (signal.SIGKILL, None)):
        try:
            os.killpg(process.pid, sig)
            process.wait(timeout=grace)
            return
        except (ProcessLookupError, subprocess.TimeoutExpired):
            pass


def read(path):
    if not os.path.exists(path):
        return ''
    with open(path, errors='replace') as f:
        return f.read()


def pgn_games(text):
    """Tags and closing comment of each game in XBoard's PGN file, by game number (its Round)."""
    games = {}
    for chunk in re.split(r'\n(?=\[Event )', text):
        tags = dict(re.findall(r'^\[(\w+) "(.*)"\]$', chunk, re.M))
        if tags.get('Round', '').isdigit():
            end = END_MARK.search(chunk)
            games[int(tags['Round'])] = {'tags': tags, 'end': ' '.join(end.group(1).split()) if end else ''}
    return games


def debug_sections(text):
    """The debug file cut into the start-up and, by game number, a section per game from its "New game (N)" line."""
    parts = re.split(r'^(?=New game \(\d+\))', text, flags=re.M)
    return parts[0], {int(re.match(r'New game \((\d+)\)', part).group(1)): part for part in parts[1:]}


def unsaved_game(section, names):
    """A game that is not in the PGN (XBoard saves no game without moves) as its debug section tells it:
    the colours from the "New game" line, the result and reason from the first "GameEnds" with a reason."""
    start = re.search(r'^New game .*\((w|b)\)$', section, re.M)
    end = re.search(r'^GameEnds\((2[678]), (.*), \d+\)$', section, re.M)
    if not start:
        return {'tags': {}, 'end': 'not played'}
    players = [names['first'], names['second']][::1 if start.group(1) == 'w' else -1]
    result = {'26': '1-0', '27': '0-1', '28': '1/2-1/2'}[end.group(1)] if end else '*'
    return {'tags': {'White': players[0], 'Black': players[1], 'Result': result},
            'end': (end.group(2) if end else 'no end') + '; not in the PGN'}


def debug_flags(section, names):
    """(kind, culprit, text) for every Error, illegal-move or user-error reply of an engine and every
    engine exit or illegal move that XBoard noted in this part of its debug file."""
    flags = [('error', names[who], '%s said "%s"' % (names[who], line.strip()))
             for who, line in ENGINE_LINE.findall(section) if line.startswith(ENGINE_ALARM)]
    for line in XBOARD_ALARM.findall(section):
        kind = 'illegal' if 'llegal' in line or 'Forfeit' in line else 'crash'
        flags.append((kind, names['first'] if 'first' in line else names['second'], 'XBoard: ' + line))
    return flags


def ending_flags(game):
    """(kind, culprit, text) for a loss on time, a crash or an illegal move, from the game's closing comment."""
    end, tags = game['end'], game['tags']
    loser = {'1-0': tags.get('Black'), '0-1': tags.get('White')}.get(tags.get('Result'))
    for kind, label, words in ENDINGS:
        if any(word in end for word in words):
            return [(kind, loser, '%s: %s' % (label, end))]
    return []


def score(game, name):
    """+1, 0 or -1 for the engine NAME; None for an unfinished game."""
    result = game['tags'].get('Result', '*')
    if result == '1/2-1/2':
        return 0
    if result not in ('1-0', '0-1'):
        return None
    return 1 if (result == '1-0') == (game['tags'].get('White') == name) else -1


def opponent_name(game, names):
    tags = game['tags']
    return tags.get('Black') if tags.get('White') == names['first'] else tags.get('White', names['second'])


def game_report(number, game, section, names):
    """Prints the game's line; returns its score for the engine and its flags."""
    tags = game['tags']
    print('game %d: %s - %s %s {%s}' % (number, tags.get('White', '?'), tags.get('Black', '?'),
                                        tags.get('Result', '*'), game['end']))
    points = score(game, names['first'])
    unfinished = [('unfinished', None, 'DID NOT FINISH')] if points is None else []
    return points, ending_flags(game) + debug_flags(section, names) + unfinished


def print_flags(flags):
    for _, _, text in flags:
        print('    ' + text)


def flag_counts(kinds):
    return 'time losses %d, crashes %d, illegal moves %d, Error replies %d, unfinished %d' % tuple(
        kinds.count(kind) for kind in ('time', 'crash', 'illegal', 'error', 'unfinished'))


def report(options, games, start, sections, output):
    """Prints the flags of the start-up, each game with its flags, XBoard's own messages and the totals.
    Returns True if the engine was flagged or a game did not finish."""
    names = {'first': options.name, 'second': options.opponent_name}
    flags = debug_flags(start, names)
    if flags:
        print('start-up:')
        print_flags(flags)
    scores = []
    for number in range(1, options.games + 1):
        section = sections.get(number, '')
        game = games[number] if number in games else unsaved_game(section, names)
        names['second'] = opponent_name(game, names)
        points, game_flags = game_report(number, game, section, names)
        print_flags(game_flags)
        scores.append(points)
        flags += game_flags
    messages = [line for line in output.splitlines() if line.startswith('xboard:')]
    for line in messages:
        print(line)
    flags += debug_flags('\n'.join(messages), names)
    # The engine's own flags (and unfinished games) apart from the opponent's, whose
    # "Error" replies to commands it does not know are no fault of the engine.
    ours = [kind for kind, culprit, _ in flags if culprit in (options.name, None)]
    theirs = [kind for kind, culprit, _ in flags if culprit not in (options.name, None)]
    print('total: %s +%d =%d -%d of %d games (%s); flagged: %s; opponent: %s' % (
        options.name, scores.count(1), scores.count(0), scores.count(-1), options.games,
        describe(scores.count(1), scores.count(0), scores.count(-1)), flag_counts(ours), flag_counts(theirs)))
    return any(culprit in (options.name, None) for _, culprit, _ in flags)


def main():
    options = arguments()
    clock, side_seconds = time_control(options.timecontrol)
    limit = options.games * (2 * side_seconds + START_SECONDS)
    command = xboard_command(options, clock)
    print(shlex.join(command), flush=True)
    finished = run_xboard(command, options.dir, limit)
    start, sections = debug_sections(read(os.path.join(options.dir, DEBUG)))
    engine_flagged = report(options, pgn_games(read(os.path.join(options.dir, PGN))), start, sections,
                            read(os.path.join(options.dir, OUTPUT)))
    if not finished:
        print('XBoard did not exit by itself in time: killed')
    print('PGN, debug file and XBoard\'s output in ' + options.dir)
    return 1 if engine_flagged or not finished else 0


if __name__ == '__main__':
    sys.exit(main())
