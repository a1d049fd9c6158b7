// PGN text cut into its lexical tokens, each known by where it lies in the text, so
// that a game can be rewritten around them byte for byte.
#pragma once

#include <cstddef>
#include <string_view>

enum class PgnTokenKind {
    END,            // no more tokens
    TAG,            // "[Name "value"]", up to its ']' on the same line
    UNCLOSED_TAG,   // a '[' whose line ends before its ']'
    COMMENT,        // "{...}"
    UNCLOSED_COMMENT,  // a '{' without its '}': runs to the end of the text
    LINE_COMMENT,   // ';' to the end of its line
    ESCAPE_LINE,    // a line beginning with '%'
    OPEN,           // '(' begins a variation
    CLOSE,          // ')' ends one
    NAG,            // '$' and its digits
    STRAY,          // '}' or ']' with nothing to close
    WORD,           // anything else up to white space or one of the characters above
};

struct PgnToken {
    PgnTokenKind kind;
    std::size_t begin, end;  // the token's bytes in the text
};

bool isPgnWhite(char c);

// The tokens of a text one after another, white space skipped.
class PgnTokenizer {
public:
    explicit PgnTokenizer(std::string_view text, std::size_t from = 0) : text_(text), at_(from) {}
    PgnToken next();
    std::string_view textOf(const PgnToken& token) const { return text_.substr(token.begin, token.end - token.begin); }

private:
    std::size_t lineEnd(std::size_t from) const;
    std::size_t tagEnd(std::size_t from) const;
    std::size_t wordEnd(std::size_t from) const;
    bool atLineStart(std::size_t at) const;

    std::string_view text_;
    std::size_t at_;
};
