#!/usr/bin/env python3
# usage: match.py [GAMES] [CLOCK_CS] [INCREMENT_S] [STOCKFISH_MS] [ENGINE]
# Plays the engine (xboard, over pipes, as a GUI would: time/otim before each of its
# moves, pondering on) against Debian's stockfish (UCI, skill level 3, fixed time a
# move), colours alternating, with the engine's clock kept from wall time. Reports
# per game how it ended and flags what must never happen: an illegal move (checked
# with stockfish's perft 1 list), a loss on time, a crash or a hang at quit.
# Each game runs in a directory of its own, with the default book copied in.
import subprocess, sys, time, os
games = int(sys.argv[1]) if len(sys.argv) > 1 else 2
base_cs, inc_s = int(sys.argv[2]) if len(sys.argv) > 2 else 6000, int(sys.argv[3]) if len(sys.argv) > 3 else 1
sf_ms = int(sys.argv[4]) if len(sys.argv) > 4 else 30
here = os.path.dirname(os.path.abspath(__file__))
zbin = sys.argv[5] if len(sys.argv) > 5 else os.path.join(here, '../../build/zorvak')
book = os.path.join(os.path.dirname(zbin), 'Zorvak.book')
import shutil, tempfile
sys.path.insert(0, here)
from debian import program
stockfish = program('stockfish')
root = tempfile.mkdtemp(prefix='zorvak-match-')
def sf_legal(sf, moves):
    sf.stdin.write('position startpos moves %s\ngo perft 1\n' % ' '.join(moves)); sf.stdin.flush()
    legal = set()
    while True:
        l = sf.stdout.readline().strip()
        if l.startswith('Nodes searched'): return legal
        if ':' in l: legal.add(l.split(':')[0])
results = []
for g in range(games):
    wd = os.path.join(root, 'game%d' % g); os.makedirs(wd, exist_ok=True)
    if os.path.exists(book): shutil.copy(book, wd)
    z = subprocess.Popen([zbin], cwd=wd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
    sf = subprocess.Popen([stockfish], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
    sf.stdin.write('uci\nsetoption name Skill Level value 3\nisready\n'); sf.stdin.flush()
    while 'readyok' not in sf.stdout.readline(): pass
    zw = (g % 2 == 0)  # zorvak white in even games
    def zsend(s): z.stdin.write(s + '\n'); z.stdin.flush()
    zsend('xboard'); zsend('protover 2'); zsend('new'); zsend('level 0 %d %d' % (base_cs // 6000, inc_s)); zsend('hard')
    moves = []; clock = base_cs * 10.0; result = None; maxthink = 0
    if not zw: zsend('force')
    ply = 0
    while ply < 300 and result is None:
        zorvak_to_move = (ply % 2 == 0) == zw
        if zorvak_to_move:
            zsend('time %d' % int(clock / 10)); zsend('otim %d' % int(clock / 10))
            t0 = time.time()
            if ply == 0 or (not zw and ply == 1): zsend('go')
            else: zsend(moves[-1])
            while True:
                l = z.stdout.readline()
                if not l: result = 'zorvak died'; break
                l = l.strip()
                if l.startswith('move '):
                    mv = l[5:]; break
                if l.startswith(('1-0', '0-1', '1/2')): result = 'zorvak: ' + l; break
                if l.startswith('Illegal'): result = 'zorvak says ' + l; break
            if result: break
            el = (time.time() - t0) * 1000; maxthink = max(maxthink, el)
            clock = clock - el + inc_s * 1000
            if clock < 0: result = 'ZORVAK LOST ON TIME'; break
            if mv not in sf_legal(sf, moves): result = 'ILLEGAL zorvak move ' + mv; break
            moves.append(mv)
        else:
            sf.stdin.write('position startpos moves %s\ngo movetime %d\n' % (' '.join(moves), sf_ms)); sf.stdin.flush()
            while True:
                l = sf.stdout.readline().strip()
                if l.startswith('bestmove'): break
            mv = l.split()[1]
            if mv == '(none)': result = 'stockfish has no move (mated or stalemated)'; break
            moves.append(mv)
            if not zw and ply == 0:
                zsend(mv)  # in force mode: just played
                zsend('time %d' % int(clock / 10)); zsend('otim %d' % int(clock / 10))
        ply += 1
    if result is None: result = 'ply limit'
    # a pending zorvak result line after its move
    zsend('quit')
    try: rc = z.wait(timeout=10)
    except Exception: rc = 'hung'; z.kill()
    sf.stdin.write('quit\n'); sf.stdin.flush(); sf.wait()
    print('game %d zorvak %s: %s after %d plies, clock left %.0f ms, max think %.0f ms, exit %s' % (g, 'white' if zw else 'black', result, len(moves), clock, maxthink, rc), flush=True)
print('logs in', root)
