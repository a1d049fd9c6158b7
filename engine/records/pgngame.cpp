// One game's text read into its tag pairs and main-line moves.
#include "records/annotationtext.h"
#include "records/pgngame.h"
#include "records/pgntokens.h"
#include "records/pgnwords.h"

namespace {

void skipBlanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && isPgnWhite(text[at])) ++at;
}

// The quoted value starting after its opening mark, \" and \\ read as the characters.
std::string quotedValue(std::string_view inside, std::size_t at) {
    std::string value;
    for (; at < inside.size() && inside[at] != '"'; ++at) {
        if (inside[at] == '\\' && at + 1 < inside.size() && (inside[at + 1] == '"' || inside[at + 1] == '\\')) ++at;
        value += inside[at];
    }
    return value;
}

// A tag pair's name and value from the text between its brackets; a value without
// quotation marks is what stands after the name.
bool readTag(std::string_view inside, PgnTag& tag) {
    std::size_t at = 0;
    skipBlanks(inside, at);
    const std::size_t nameBegin = at;
    while (at < inside.size() && !isPgnWhite(inside[at]) && inside[at] != '"') ++at;
    tag.name = inside.substr(nameBegin, at - nameBegin);
    skipBlanks(inside, at);
    if (at < inside.size() && inside[at] == '"') {
        tag.value = quotedValue(inside, at + 1);
    } else {
        std::size_t end = inside.size();
        while (end > at && isPgnWhite(inside[end - 1])) --end;
        tag.value = inside.substr(at, end - at);
    }
    return !tag.name.empty();
}

bool isRemark(PgnTokenKind kind) {
    return kind == PgnTokenKind::COMMENT || kind == PgnTokenKind::LINE_COMMENT || kind == PgnTokenKind::ESCAPE_LINE;
}

// The movetext's tokens one after another, into the game's moves and result.
class MovetextReader {
public:
    MovetextReader(PgnGame& game, std::size_t from) : game_(game), tokens_(game.text, from), ply_(game.firstPly()) {}
    void read();

private:
    bool take(const PgnToken& token);  // false at a fault, which is then said
    bool takeWord(const PgnToken& token, bool followsMove);
    // A NAG or glyph of the last move: words inserted after the move go after it.
    void extendAnnotations(const PgnToken& token);
    bool fail(std::string fault) {
        game_.fault = std::move(fault);
        return false;
    }

    PgnGame& game_;
    PgnTokenizer tokens_;
    int ply_;
    int depth_ = 0;
    bool afterMove_ = false;  // the last token was a main-line move or one of its glyphs
};

void MovetextReader::read() {
    for (PgnToken token = tokens_.next(); token.kind != PgnTokenKind::END; token = tokens_.next())
        if (!take(token)) return;
    if (depth_ > 0) fail("variation not closed");
}

// A move's NAGs and glyphs may stand apart from it, after comments: those are passed
// over, so that what is inserted after the move never comes between it and a NAG of
// its own (a NAG after a variation is no PGN).
bool MovetextReader::take(const PgnToken& token) {
    if (isRemark(token.kind)) return true;
    const bool followsMove = afterMove_;
    afterMove_ = false;
    if (!game_.result.empty()) return fail("text after the result: " + std::string(tokens_.textOf(token)));
    switch (token.kind) {
        case PgnTokenKind::UNCLOSED_COMMENT: return fail("comment not closed");
        case PgnTokenKind::TAG: case PgnTokenKind::UNCLOSED_TAG: return fail("tag in the movetext");
        case PgnTokenKind::STRAY: return fail("stray " + std::string(tokens_.textOf(token)));
        case PgnTokenKind::OPEN: ++depth_; return true;
        case PgnTokenKind::CLOSE: return depth_-- > 0 || fail("')' without '('");
        case PgnTokenKind::NAG:
            if (tokens_.textOf(token) == "$") return fail("'$' without a number");
            if (followsMove) extendAnnotations(token);
            return true;
        default: return takeWord(token, followsMove);
    }
}

void MovetextReader::extendAnnotations(const PgnToken& token) {
    game_.moves.back().annotationsEnd = token.end;
    afterMove_ = true;
}

bool MovetextReader::takeWord(const PgnToken& token, bool followsMove) {
    const std::string_view word = tokens_.textOf(token);
    const PgnWord kind = classifyPgnWord(word);
    switch (kind.kind) {
        case PgnWordKind::NOT_A_MOVE: return fail("not a move: " + std::string(word));
        case PgnWordKind::RESULT:
            if (depth_ == 0) game_.result = word;
            return true;
        case PgnWordKind::ANNOTATION:
            if (followsMove) extendAnnotations(token);
            return true;
        case PgnWordKind::MOVE:
            if (depth_ > 0) return true;
            game_.moves.push_back({std::string(word.substr(kind.sanBegin, kind.sanEnd - kind.sanBegin)),
                                   token.begin + kind.sanBegin, token.begin + kind.sanEnd, token.end, ply_++});
            afterMove_ = true;
            return true;
        default: return true;
    }
}

}  // namespace

const PgnTag* PgnGame::tag(std::string_view name) const {
    for (const PgnTag& pair : tags)
        if (pair.name == name) return &pair;
    return nullptr;
}

int PgnGame::firstPly() const {
    const PgnTag* fen = tag("FEN");
    return fen ? firstPlyOfFen(fen->value) : FIRST_PLY;
}

PgnGame scanPgnGame(std::string_view text) {
    PgnGame game;
    game.text = text;
    PgnTokenizer tokens(game.text);
    PgnToken token = tokens.next();
    for (; token.kind == PgnTokenKind::TAG || isRemark(token.kind); token = tokens.next()) {
        if (token.kind != PgnTokenKind::TAG) continue;
        PgnTag tag{{}, {}, token.begin, token.end};
        if (!readTag(std::string_view(game.text).substr(token.begin + 1, token.end - token.begin - 2), tag)) {
            game.fault = "tag without a name";
            return game;
        }
        game.tags.push_back(tag);
        game.tagsEnd = token.end;
    }
    if (token.kind == PgnTokenKind::UNCLOSED_TAG) {
        game.fault = "tag not closed";
        return game;
    }
    // The movetext begins at the first token after the tags (remarks between them
    // and the first move are the movetext's: they come after the tag section).
    MovetextReader(game, game.tagsEnd).read();
    return game;
}
