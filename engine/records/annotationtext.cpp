#include "records/annotationtext.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int PLIES_PER_MOVE = 2;
constexpr int CENTIPAWNS_PER_PAWN = 100;
constexpr int PAWNS_TEXT_SIZE = 16;  // "-21474836.48" and its terminating zero
constexpr int FEN_SIDE_FIELD = 1;
constexpr int FEN_MOVE_NUMBER_FIELD = 5;

// The FEN's fields, split at blanks.
std::vector<std::string_view> fieldsOf(std::string_view fen) {
    std::vector<std::string_view> fields;
    for (std::size_t at = fen.find_first_not_of(' '); at != std::string_view::npos;
         at = fen.find_first_not_of(' ', at)) {
        const std::size_t end = std::min(fen.find(' ', at), fen.size());
        fields.push_back(fen.substr(at, end - at));
        at = end;
    }
    return fields;
}

int moveNumberOfField(std::string_view field) {
    int number = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
    return error == std::errc() && end == field.data() + field.size() && number > 0 ? number : 1;
}

}  // namespace

int moveNumberOfPly(int ply) { return (ply + 1) / PLIES_PER_MOVE; }

bool isWhitePly(int ply) { return ply % PLIES_PER_MOVE == FIRST_PLY; }

int firstPlyOfFen(std::string_view fen) {
    const std::vector<std::string_view> fields = fieldsOf(fen);
    const bool black = fields.size() > FEN_SIDE_FIELD && fields[FEN_SIDE_FIELD] == "b";
    const int number = fields.size() > FEN_MOVE_NUMBER_FIELD ? moveNumberOfField(fields[FEN_MOVE_NUMBER_FIELD]) : 1;
    return PLIES_PER_MOVE * (number - 1) + FIRST_PLY + (black ? 1 : 0);
}

std::string evalComment(Evaluation score) {
    std::string text = "{[%eval ";
    if (score.mate) {
        text += '#';
        text += std::to_string(score.value);
    } else {
        char pawns[PAWNS_TEXT_SIZE];
        std::snprintf(pawns, sizeof pawns, "%s%d.%02d", score.value < 0 ? "-" : "",
                      std::abs(score.value) / CENTIPAWNS_PER_PAWN, std::abs(score.value) % CENTIPAWNS_PER_PAWN);
        text += pawns;
    }
    return text + "]}";
}

std::string nagText(int nag) {
    std::string text = "$";
    return text += std::to_string(nag);
}

std::string braceComment(std::string_view text) {
    std::string comment = "{";
    for (char c : text)
        if (c != '}') comment += c;
    return comment + "}";
}

std::string moveSequenceText(int ply, const std::vector<std::string>& sans) {
    std::string text;
    for (const std::string& san : sans) {
        if (!text.empty()) text += ' ';
        if (isWhitePly(ply)) text += std::to_string(moveNumberOfPly(ply)) + ". ";
        else if (text.empty()) text += std::to_string(moveNumberOfPly(ply)) + "... ";
        text += san;
        ++ply;
    }
    return text;
}

std::string variationText(int ply, const std::vector<std::string>& sans) {
    std::string text = "(";
    text += moveSequenceText(ply, sans);
    return text += ')';
}
