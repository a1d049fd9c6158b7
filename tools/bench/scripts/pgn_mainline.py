"""The main line of PGN games as a reader outside the engine sees it: for each game its tags and
each main-line move with the NAGs and comments that follow it (variations skipped), for the
scripts that check the engine's annotations."""
import re

TOKEN = re.compile(r'\{[^}]*\}|;[^\n]*|\$\d+|[()]|\[[^\]]*\]|[^\s(){};\[\]]+')
RESULTS = {'1-0', '0-1', '1/2-1/2', '*'}
MOVE_NUMBER = re.compile(r'^\d+\.+$')
GLUED_NUMBER = re.compile(r'^\d+\.+(?=\S)')
EVAL = re.compile(r'\[%eval\s+(#?-?[\d.]+)\]')


def games(text):
    """[(tags, moves)] where moves are dicts: san, nags (list of ints), comments (list of str)."""
    result, tags, moves, depth = [], {}, [], 0
    # Escape lines ("%" in the first column) are no part of any game.
    text = '\n'.join(line for line in text.split('\n') if not line.startswith('%'))
    for token in TOKEN.findall(text):
        if token.startswith('['):
            if moves:  # tags after movetext: a new game whose previous one had no result word
                result.append((tags, moves))
                tags, moves = {}, []
            match = re.match(r'\[(\w+)\s+"(.*)"\]$', token, re.S)
            if match:
                tags[match.group(1)] = match.group(2)
            continue
        if token == '(':
            depth += 1
            continue
        if token == ')':
            depth = max(0, depth - 1)
            continue
        if depth:
            continue
        if token.startswith('{') or token.startswith(';'):
            if moves:
                moves[-1]['comments'].append(token)
            continue
        if token.startswith('$'):
            if moves:
                moves[-1]['nags'].append(int(token[1:]))
            continue
        if token in RESULTS:
            result.append((tags, moves))
            tags, moves = {}, []
            continue
        if MOVE_NUMBER.match(token):
            continue
        san = GLUED_NUMBER.sub('', token)
        moves.append({'san': san, 'nags': [], 'comments': []})
    if tags or moves:
        result.append((tags, moves))
    return result


def evaluation(move):
    """The [%eval] of a move's comments as pawns for White (a mate as +-1000), or None."""
    for comment in move['comments']:
        match = EVAL.search(comment)
        if match:
            value = match.group(1)
            if value.startswith('#'):
                return -1000.0 if value.startswith('#-') else 1000.0
            return float(value)
    return None
