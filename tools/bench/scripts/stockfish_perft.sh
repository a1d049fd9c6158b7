#!/bin/bash
# usage: stockfish_perft.sh DEPTH FEN -> wall ms of go perft, measured from isready to the node line
python3 - "$1" "$2" <<'PY'
import subprocess,sys,time
d,fen=sys.argv[1],sys.argv[2]
p=subprocess.Popen(['/usr/games/stockfish'],stdin=subprocess.PIPE,stdout=subprocess.PIPE,text=True,bufsize=1)
p.stdin.write('position fen %s\nisready\n'%fen); p.stdin.flush()
while 'readyok' not in p.stdout.readline(): pass
t=time.time(); p.stdin.write('go perft %s\n'%d); p.stdin.flush()
while True:
    l=p.stdout.readline()
    if l.startswith('Nodes searched'): break
el=time.time()-t; n=int(l.split()[-1])
p.stdin.write('quit\n'); p.stdin.flush(); p.wait()
print('stockfish nodes %d time %.0f ms nps %.0f'%(n,el*1000,n/el))
PY
