#include "records/pgntokens.h"

namespace {

// NUL bytes and the DOS end-of-file mark count as white space, as the PGN reader
// takes them.
constexpr char DOS_END_OF_FILE = '\x1A';
// An editor's UTF-8 byte-order mark at the start of the text is passed over like
// white space; the line after it begins there.
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// Characters that end a word besides white space ('$' only where it does not begin it).
bool endsWord(char c) {
    switch (c) {
        case '{': case '}': case '(': case ')': case '[': case ']': case ';': case '$': return true;
        default: return false;
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isPgnWhite(char c) {
    switch (c) {
        case ' ': case '\t': case '\n': case '\r': case '\v': case '\f': case '\0': case DOS_END_OF_FILE: return true;
        default: return false;
    }
}

std::size_t PgnTokenizer::lineEnd(std::size_t from) const {
    const std::size_t end = text_.find('\n', from);
    return end == std::string_view::npos ? text_.size() : end;
}

// After the ']' of the tag opened at from, or npos when its line ends first. A ']'
// inside the quoted value does not close it (\" and \\ stand for themselves there);
// after the value the first ']' does, stray quotation marks or not, as the PGN reader
// takes it. A value whose closing mark is missing ends at the first ']' in it.
std::size_t PgnTokenizer::tagEnd(std::size_t from) const {
    const std::size_t line = lineEnd(from);
    std::size_t i = from + 1;
    while (i < line && text_[i] != '"' && text_[i] != ']') ++i;
    if (i < line && text_[i] == '"') {
        std::size_t closing = i + 1;
        while (closing < line && text_[closing] != '"') closing += text_[closing] == '\\' && closing + 1 < line ? 2 : 1;
        i = closing < line ? closing : i;
    }
    const std::size_t bracket = text_.substr(0, line).find(']', i);
    return bracket == std::string_view::npos ? bracket : bracket + 1;
}

std::size_t PgnTokenizer::wordEnd(std::size_t from) const {
    std::size_t i = from + 1;
    while (i < text_.size() && !isPgnWhite(text_[i]) && !endsWord(text_[i])) ++i;
    return i;
}

bool PgnTokenizer::atLineStart(std::size_t at) const {
    return at == 0 || text_[at - 1] == '\n' || (at == BYTE_ORDER_MARK.size() && text_.starts_with(BYTE_ORDER_MARK));
}

PgnToken PgnTokenizer::next() {
    if (at_ == 0 && text_.starts_with(BYTE_ORDER_MARK)) at_ = BYTE_ORDER_MARK.size();
    while (at_ < text_.size() && isPgnWhite(text_[at_])) ++at_;
    const std::size_t begin = at_;
    if (begin == text_.size()) return {PgnTokenKind::END, begin, begin};
    PgnTokenKind kind = PgnTokenKind::WORD;
    std::size_t end = begin + 1;
    switch (text_[begin]) {
        case '[': {
            const std::size_t closed = tagEnd(begin);
            kind = closed == std::string_view::npos ? PgnTokenKind::UNCLOSED_TAG : PgnTokenKind::TAG;
            end = closed == std::string_view::npos ? lineEnd(begin) : closed;
            break;
        }
        case '{': {
            const std::size_t closing = text_.find('}', begin);
            kind = closing == std::string_view::npos ? PgnTokenKind::UNCLOSED_COMMENT : PgnTokenKind::COMMENT;
            end = closing == std::string_view::npos ? text_.size() : closing + 1;
            break;
        }
        case ';': kind = PgnTokenKind::LINE_COMMENT, end = lineEnd(begin); break;
        case '(': kind = PgnTokenKind::OPEN; break;
        case ')': kind = PgnTokenKind::CLOSE; break;
        case '}': case ']': kind = PgnTokenKind::STRAY; break;
        case '$':
            kind = PgnTokenKind::NAG;
            while (end < text_.size() && isDigit(text_[end])) ++end;
            break;
        case '%':
            if (atLineStart(begin)) {
                kind = PgnTokenKind::ESCAPE_LINE, end = lineEnd(begin);
                break;
            }
            [[fallthrough]];
        default: end = wordEnd(begin);
    }
    at_ = end;
    return {kind, begin, end};
}
