#include "records/pgnlayout.h"

#include "records/pgntokens.h"

namespace {

constexpr std::size_t BLANK_WIDTH = 1;  // the blank set before an inserted word

// Columns a text takes up to its first line break; npos when it has none.
std::size_t widthToBreak(std::string_view text) {
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos) return lineFeed;
    return lineFeed > 0 && text[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
}

// The column after text, written from column.
std::size_t columnAfter(std::string_view text, std::size_t column) {
    const std::size_t lineFeed = text.rfind('\n');
    return lineFeed == std::string_view::npos ? column + text.size() : text.size() - lineFeed - 1;
}

}  // namespace

void PgnLayout::keep(std::string_view original) {
    if (!original.empty()) pieces_.push_back({std::string(original), false});
}

void PgnLayout::insert(std::string_view words) {
    std::string word;
    bool inComment = false, spaced = false;
    for (char c : words) {
        const bool white = isPgnWhite(c);
        if (white && !inComment) {
            spaced = true;
            continue;
        }
        if (spaced && !word.empty() && word.back() == '.') {
            word += ' ';
        } else if (spaced && !word.empty()) {
            pieces_.push_back({word, true});
            word.clear();
        }
        spaced = false;
        inComment = (inComment || c == '{') && c != '}';
        word += white ? ' ' : c;
    }
    if (!word.empty()) pieces_.push_back({word, true});
}

// What must stay on one line with the word at from: the word and the original text
// after it, up to the next word inserted or the original's next line break.
std::size_t PgnLayout::gluedWidth(std::size_t from) const {
    std::size_t width = pieces_[from].text.size();
    for (std::size_t i = from + 1; i < pieces_.size() && !pieces_[i].inserted; ++i) {
        const std::size_t toBreak = widthToBreak(pieces_[i].text);
        if (toBreak != std::string_view::npos) return width + toBreak;
        width += pieces_[i].text.size();
    }
    return width;
}

std::string PgnLayout::text() const {
    std::string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (pieces_[i].inserted && column > 0) {
            const bool fits = column + BLANK_WIDTH + gluedWidth(i) <= PGN_LINE_TARGET;
            out += fits ? " " : newline_;
            column = fits ? column + BLANK_WIDTH : 0;
        }
        out += pieces_[i].text;
        column = columnAfter(pieces_[i].text, column);
    }
    return out;
}
