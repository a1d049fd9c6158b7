#include "records/pgnwords.h"

#include "records/recordconst.h"

namespace {

constexpr std::string_view RESULTS[] = {"1-0", "0-1", "1/2-1/2", "*"};
constexpr std::string_view CASTLINGS[] = {"O-O", "O-O-O", "0-0", "0-0-0"};
constexpr std::string_view EN_PASSANT_MARK = "e.p.";
constexpr std::string_view SUFFIX_GLYPHS = "!?";
constexpr std::string_view CHECK_SIGNS = "+#";
constexpr std::string_view PIECES = "KQRBNP";
constexpr std::string_view PROMOTION_PIECES = "QRBNqrbn";
constexpr std::string_view CAPTURE_SIGNS = "x:-";  // "-" between the squares of long algebraic
constexpr std::string_view DIGITS = "0123456789";

bool isFile(char c) { return c >= 'a' && c <= 'h'; }
bool isRank(char c) { return c >= '1' && c <= '8'; }
bool consistsOf(std::string_view word, std::string_view chars) {
    return !word.empty() && word.find_first_not_of(chars) == std::string_view::npos;
}

void dropTrailing(std::string_view& word, std::string_view chars) {
    while (!word.empty() && chars.find(word.back()) != std::string_view::npos) word.remove_suffix(1);
}

bool isCastling(std::string_view san) {
    for (std::string_view castling : CASTLINGS)
        if (san == castling) return true;
    return false;
}

// A piece move or pawn move by its letters: [piece] [from file] [from rank] [capture]
// to-square [promotion], and check signs. "Nbd7", "exd6", "e8=Q", "d7d8q", "Ng1-f3".
bool isPieceOrPawnMove(std::string_view san) {
    if (!san.empty() && PIECES.find(san.front()) != std::string_view::npos) san.remove_prefix(1);
    const std::size_t size = san.size();
    if (size >= 2 && PROMOTION_PIECES.find(san.back()) != std::string_view::npos &&
        (san[size - 2] == '=' || isRank(san[size - 2])))
        san.remove_suffix(san[size - 2] == '=' ? 2 : 1);
    if (san.size() < 2 || !isFile(san[san.size() - 2]) || !isRank(san.back())) return false;
    san.remove_suffix(2);
    if (!san.empty() && CAPTURE_SIGNS.find(san.back()) != std::string_view::npos) san.remove_suffix(1);
    if (!san.empty() && isRank(san.back())) san.remove_suffix(1);
    if (!san.empty() && isFile(san.back())) san.remove_suffix(1);
    return san.empty();
}

bool isMove(std::string_view san) {
    for (const char* nullMove : NULL_MOVE_WORDS)
        if (san == nullMove) return true;
    dropTrailing(san, CHECK_SIGNS);
    return isCastling(san) || isPieceOrPawnMove(san);
}

// A move as it stands in the word from `from` on, glyphs glued to its end left out.
PgnWord moveIn(std::string_view word, std::size_t from) {
    std::string_view san = word.substr(from);
    dropTrailing(san, SUFFIX_GLYPHS);
    if (!isMove(san)) return {PgnWordKind::NOT_A_MOVE, 0, 0};
    return {PgnWordKind::MOVE, from, from + san.size()};
}

}  // namespace

bool isPgnResult(std::string_view word) {
    for (std::string_view result : RESULTS)
        if (word == result) return true;
    return false;
}

PgnWord classifyPgnWord(std::string_view word) {
    if (isPgnResult(word)) return {PgnWordKind::RESULT, 0, 0};
    const std::size_t digits = word.find_first_not_of(DIGITS);
    if (digits == std::string_view::npos) return {PgnWordKind::MOVE_NUMBER, 0, 0};
    if (word[digits] == '.') {
        const std::size_t afterDots = word.find_first_not_of('.', digits);
        if (afterDots == std::string_view::npos) return {PgnWordKind::MOVE_NUMBER, 0, 0};
        return moveIn(word, afterDots);
    }
    if (digits > 0) return moveIn(word, 0);  // castling written with zeros
    const PgnWord move = moveIn(word, 0);
    if (move.kind == PgnWordKind::MOVE) return move;
    if (consistsOf(word, ANNOTATION_CHARS) || word == EN_PASSANT_MARK) return {PgnWordKind::ANNOTATION, 0, 0};
    return move;
}
