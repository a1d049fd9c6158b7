// Cutting a PGN file into games.
#include "records/pgngame.h"
#include "records/pgntokens.h"
#include "records/pgnwords.h"

namespace {

bool isRemark(PgnTokenKind kind) {
    return kind == PgnTokenKind::COMMENT || kind == PgnTokenKind::UNCLOSED_COMMENT ||
           kind == PgnTokenKind::LINE_COMMENT || kind == PgnTokenKind::ESCAPE_LINE;
}

bool isTag(PgnTokenKind kind) { return kind == PgnTokenKind::TAG || kind == PgnTokenKind::UNCLOSED_TAG; }

// Where one game's tokens stand: between games (before the first, after a result),
// in the tag section, or in the movetext.
enum class Place { BETWEEN_GAMES, TAGS, MOVETEXT };

// The place after token, which stands in place; sets begins when it opens a game.
Place placeAfter(const PgnTokenizer& tokens, const PgnToken& token, Place place, int& depth, bool& begins) {
    begins = false;
    if (isRemark(token.kind)) return place;
    if (place == Place::BETWEEN_GAMES || (place == Place::MOVETEXT && isTag(token.kind))) {
        begins = true;
        depth = 0;
    }
    if (isTag(token.kind) && (begins || place == Place::TAGS)) return Place::TAGS;
    if (token.kind == PgnTokenKind::OPEN) ++depth;
    if (token.kind == PgnTokenKind::CLOSE && depth > 0) --depth;
    const bool endsGame = token.kind == PgnTokenKind::WORD && depth == 0 && isPgnResult(tokens.textOf(token));
    return endsGame ? Place::BETWEEN_GAMES : Place::MOVETEXT;
}

}  // namespace

PgnFileText splitPgnGames(std::string_view text) {
    PgnFileText file;
    std::vector<std::size_t> starts;
    PgnTokenizer tokens(text);
    Place place = Place::BETWEEN_GAMES;
    int depth = 0;
    for (PgnToken token = tokens.next(); token.kind != PgnTokenKind::END; token = tokens.next()) {
        bool begins = false;
        place = placeAfter(tokens, token, place, depth, begins);
        if (begins) starts.push_back(token.begin);
    }
    starts.push_back(text.size());
    file.preamble = text.substr(0, starts.front());
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        file.games.push_back(text.substr(starts[i], starts[i + 1] - starts[i]));
    return file;
}
