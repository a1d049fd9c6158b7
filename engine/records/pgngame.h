// PGN games as text, kept byte for byte: a file cut into games, and one game's
// tag pairs and main-line moves found in its text, everything else (move numbers,
// comments, escape lines, NAGs and glyphs, variations, the result) recognised and
// passed over. Nothing here knows the board: whether a move is legal is for the
// caller to find out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A file's text cut into games: preamble followed by every game gives the text back.
// The pieces are views of the text, which must outlive them.
struct PgnFileText {
    std::string_view preamble;            // before the first game: a byte-order mark, comments, escape lines
    std::vector<std::string_view> games;  // each from its first tag (or move) up to the next game,
                                          // with the blank lines and comments after its result
};
// A game begins at a tag, or at any other word where none is open; it ends after
// its result word outside variations, or where a tag follows its movetext.
PgnFileText splitPgnGames(std::string_view text);

struct PgnTag {
    std::string name, value;  // the value without its quotation marks and escapes
    std::size_t begin, end;   // from its '[' to after its ']'
};

struct PgnMove {
    std::string san;          // as written: "Nf3", "exd8=Q+", "0-0", "--"; no move number, no glyph
    std::size_t begin, end;   // the SAN's bytes in the game's text
    std::size_t annotationsEnd;  // after the glyphs and NAGs glued to it or following it
    int ply;                  // FIRST_PLY for White's first move from the standard start
};

struct PgnGame {
    std::string text;
    std::vector<PgnTag> tags;
    std::size_t tagsEnd = 0;     // after the last tag's ']' (0 without tags)
    std::vector<PgnMove> moves;  // the main line
    std::string result;          // the result word, empty when the movetext has none
    std::string fault;           // why the text could not be read; empty when it was

    bool scanned() const { return fault.empty(); }
    // The first tag of that name, or null.
    const PgnTag* tag(std::string_view name) const;
    // The ply of the first move: from the FEN tag when there is one.
    int firstPly() const;
};

// Reads one game's text (a piece of splitPgnGames). A game that cannot be read
// (an unclosed comment, tag or variation, a word that is no move, a stray closer,
// text after the result) comes back with its fault said, to be copied unchanged.
PgnGame scanPgnGame(std::string_view text);
