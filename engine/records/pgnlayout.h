// Lines of a PGN text that is the original's text with words inserted: the original
// keeps its bytes and line breaks, and each inserted word is set apart by a blank or,
// where the line would pass PGN_LINE_TARGET characters, by a line break instead.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Lines this layout starts stay under 80 characters, well inside PGN's limit of 255.
inline constexpr std::size_t PGN_LINE_TARGET = 79;

class PgnLayout {
public:
    explicit PgnLayout(std::string newline) : newline_(std::move(newline)) {}
    void keep(std::string_view original);
    // Words separated by white space; white space inside a brace comment, or after a
    // move number, does not part them.
    void insert(std::string_view words);
    std::string text() const;

private:
    struct Piece {
        std::string text;
        bool inserted;  // a word, which may begin a line
    };
    std::size_t gluedWidth(std::size_t from) const;

    std::string newline_;
    std::vector<Piece> pieces_;
};
