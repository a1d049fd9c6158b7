"""The Elo difference a match result gives, with its 95% error margin."""
import math


def elo_difference(wins, draws, losses):
    """(elo, margin) for the side with WINS, DRAWS and LOSSES; margin is 1.96 standard errors, from the
    games' own spread of results. None when the score is 0 or 1 (no finite estimate)."""
    games = wins + draws + losses
    if games == 0:
        return None
    score = (wins + draws / 2) / games
    if score <= 0 or score >= 1:
        return None
    variance = (wins * (1 - score) ** 2 + draws * (0.5 - score) ** 2 + losses * score ** 2) / games
    error = math.sqrt(variance / games)

    def elo(s):
        s = min(max(s, 1e-6), 1 - 1e-6)
        return -400 * math.log10(1 / s - 1)

    return elo(score), (elo(score + 1.96 * error) - elo(score - 1.96 * error)) / 2


def describe(wins, draws, losses):
    result = elo_difference(wins, draws, losses)
    games = wins + draws + losses
    score = 100.0 * (wins + draws / 2) / games if games else 0
    if result is None:
        return 'score %.1f%%: no finite Elo' % score
    return 'score %.1f%%, Elo %+.0f +- %.0f (95%%)' % (score, result[0], result[1])
