// Rewriting a PGN game's text: tags set, words inserted after main-line moves,
// every other byte kept. With no edits the text comes back unchanged.
//
// For `annotate`: split the file (splitPgnGames), copy the preamble, and scan each
// game (scanPgnGame); a game that cannot be scanned is copied as it is. For one
// that can, the moves' SAN and ply numbers (and the FEN tag of a set-up game) are
// what the board replays; the editor then takes the words for each move
// (annotationtext.h) and the game's new tags, and writes the game.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "records/pgngame.h"

class PgnGameEditor {
public:
    // The game must have been scanned, and outlive the editor.
    explicit PgnGameEditor(const PgnGame& game);

    // A tag of that name is replaced where it stands (every one, should there be
    // several); a new one goes after the last tag, or begins a tag section of its own.
    void setTag(std::string_view name, std::string_view value);

    // Words after main-line move index (0 for the first), its glyphs and NAGs, and
    // before the comments and variations that follow it: " $2 {[%eval -1.20]} (14... Nf6)".
    // Words inserted after the same move more than once follow one another.
    void insertAfterMove(std::size_t index, std::string_view words);

    std::string text() const;

private:
    struct Edit {
        std::size_t begin, end;  // the original bytes it replaces
        std::string text;
        bool words;  // inserted words, laid out; otherwise text kept as it is
    };
    std::vector<Edit> edits() const;
    std::string tagSectionAdded() const;

    const PgnGame& game_;
    std::string newline_;
    std::map<std::string, std::string, std::less<>> values_;  // set tags, by name
    std::vector<std::string> addedTags_;                      // names without a tag in the game, in order
    std::map<std::size_t, std::string> insertions_;           // by move index
};

// "[Name "value"]", a quotation mark or backslash in the value escaped, line
// breaks made blanks.
std::string tagPairText(std::string_view name, std::string_view value);
