// The words an analysis adds to a PGN game: evaluation comments, NAGs, and
// variations numbered as PGN numbers moves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Plies are counted from 1, White's first move of a game from the standard start;
// a game from a set-up position goes on from its FEN's move number and side.
inline constexpr int FIRST_PLY = 1;
int moveNumberOfPly(int ply);
bool isWhitePly(int ply);
// The ply of the first move after the FEN: its side (second field) and move number
// (sixth). FIRST_PLY when the side is not 'b' and the number is missing or no
// positive number, which is how PGN readers take them.
int firstPlyOfFen(std::string_view fen);

// A score from White's point of view: centipawns, or the moves to a mate (positive
// when White mates).
struct Evaluation {
    bool mate;
    int value;
    static Evaluation centipawns(int value) { return {false, value}; }
    static Evaluation mateIn(int moves) { return {true, moves}; }
};
// "{[%eval 0.35]}", "{[%eval -1.20]}", "{[%eval #3]}", "{[%eval #-3]}".
std::string evalComment(Evaluation score);

// Numeric annotation glyphs an analysis gives a move that loses.
inline constexpr int NAG_MISTAKE = 2;   // "?"
inline constexpr int NAG_BLUNDER = 4;   // "??"
inline constexpr int NAG_DUBIOUS = 6;   // "?!"
std::string nagText(int nag);           // "$2"

// A brace comment of any text: a '}' in it would end it early and is left out.
std::string braceComment(std::string_view text);

// SAN moves from the given ply numbered as PGN does: "14... Nf6 15. Nc3" when the
// first is Black's, "14. Nc3 Nf6" when it is White's.
std::string moveSequenceText(int ply, const std::vector<std::string>& sans);
// The same in parentheses, a variation: "(14... Nf6 15. Nc3)".
std::string variationText(int ply, const std::vector<std::string>& sans);
