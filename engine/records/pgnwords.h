// What a word of PGN movetext is, read from its letters alone: no board is needed
// to tell a move from a move number, a result or an annotation.
#pragma once

#include <cstddef>
#include <string_view>

enum class PgnWordKind {
    MOVE_NUMBER,  // "12", "12.", "12...", or dots alone
    MOVE,         // SAN or long algebraic, castling, a null move; maybe numbered ("12.Nf3")
    RESULT,       // "1-0", "0-1", "1/2-1/2", "*"
    ANNOTATION,   // a glyph written as a word ("!?", "+-"), the en-passant mark "e.p."
    NOT_A_MOVE,   // anything else
};

struct PgnWord {
    PgnWordKind kind;
    std::size_t sanBegin, sanEnd;  // for a move: its SAN within the word, without a glued
                                   // move number before it or glyphs ("!", "?!") after it
};

PgnWord classifyPgnWord(std::string_view word);
bool isPgnResult(std::string_view word);
