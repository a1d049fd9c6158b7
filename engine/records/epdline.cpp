#include "records/epdline.h"

#include <cctype>

namespace {

enum Field { PLACEMENT, SIDE_TO_MOVE, CASTLING, EN_PASSANT, EPD_POSITION_FIELDS };
constexpr int BOARD_RANKS = 8;
constexpr int BOARD_FILES = 8;
constexpr std::string_view PIECE_LETTERS = "pnbrqkPNBRQK";
constexpr std::string_view CASTLING_LETTERS = "KQkqABCDEFGHabcdefgh";  // with Chess960's rook files
constexpr std::string_view EN_PASSANT_RANKS = "36";
constexpr std::size_t SQUARE_CHARS = 2;
constexpr const char* NO_HALFMOVES = "0";       // a FEN's counters where the line gives none
constexpr const char* FIRST_MOVE_NUMBER = "1";
constexpr std::string_view FIELD_NAMES[EPD_POSITION_FIELDS] = {"placement", "side to move", "castling", "en passant"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool isPlacement(std::string_view field) {
    int ranks = 1, files = 0;
    for (char c : field) {
        if (c == '/') {
            if (files != BOARD_FILES) return false;
            ++ranks, files = 0;
        } else if (c >= '1' && c <= '8') {
            files += c - '0';
        } else if (PIECE_LETTERS.find(c) != std::string_view::npos) {
            ++files;
        } else {
            return false;
        }
    }
    return ranks == BOARD_RANKS && files == BOARD_FILES;
}

bool consistsOf(std::string_view field, std::string_view letters) {
    return !field.empty() && field.find_first_not_of(letters) == std::string_view::npos;
}

bool isEnPassant(std::string_view field) {
    return field == "-" || (field.size() == SQUARE_CHARS && field[0] >= 'a' && field[0] <= 'h' &&
                            EN_PASSANT_RANKS.find(field[1]) != std::string_view::npos);
}

bool isField(int index, std::string_view field) {
    switch (index) {
        case PLACEMENT: return isPlacement(field);
        case SIDE_TO_MOVE: return field == "w" || field == "b";
        case CASTLING: return field == "-" || consistsOf(field, CASTLING_LETTERS);
        default: return isEnPassant(field);
    }
}

bool isOpcodeChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Reads the line a character at a time: the fields, then the operations.
struct Reader {
    std::string_view line;
    std::size_t at = 0;
    std::string fault;

    void skipBlanks() {
        while (at < line.size() && isBlank(line[at])) ++at;
    }
    std::string_view word() {
        skipBlanks();
        const std::size_t begin = at;
        while (at < line.size() && !isBlank(line[at]) && line[at] != ';') ++at;
        return line.substr(begin, at - begin);
    }
    bool fail(std::string why) {
        fault = std::move(why);
        return false;
    }
    bool operand(std::vector<std::string>& operands);
    bool operation(EpdLineOperation& operation);
};

bool Reader::operand(std::vector<std::string>& operands) {
    if (line[at] != '"') {
        operands.emplace_back(word());
        return true;
    }
    const std::size_t closing = line.find('"', at + 1);
    if (closing == std::string_view::npos) return fail("quoted string not closed");
    operands.emplace_back(line.substr(at + 1, closing - at - 1));
    at = closing + 1;
    return true;
}

bool Reader::operation(EpdLineOperation& operation) {
    operation.begin = at;
    while (at < line.size() && isOpcodeChar(line[at])) ++at;
    operation.opcode = line.substr(operation.begin, at - operation.begin);
    const bool wordEnds = at == line.size() || isBlank(line[at]) || line[at] == ';';
    if (!std::isalpha(static_cast<unsigned char>(line[operation.begin])) || !wordEnds) {
        at = operation.begin;
        return fail("not an opcode: " + std::string(word()));
    }
    for (skipBlanks(); at < line.size() && line[at] != ';'; skipBlanks())
        if (!operand(operation.operands)) return false;
    if (at == line.size()) return fail("operation not closed: " + operation.opcode);
    operation.end = ++at;
    return true;
}

std::string operandText(std::string operand) {
    for (char& c : operand)
        if (c == '"') c = '\'';
    const bool quoted = operand.empty() || operand.find_first_of(" \t;") != std::string::npos;
    return quoted ? '"' + operand + '"' : operand;
}

}  // namespace

std::optional<EpdLine> EpdLine::read(std::string_view line, std::string& fault) {
    EpdLine epd;
    epd.line_ = line;
    Reader reader{line, 0, {}};
    for (int index = 0; index < EPD_POSITION_FIELDS; ++index) {
        const std::string_view field = reader.word();
        if (!isField(index, field)) {
            fault = std::string("no ") + std::string(FIELD_NAMES[index]) + ": '" + std::string(field) + "'";
            return std::nullopt;
        }
        epd.fields_.emplace_back(field);
    }
    epd.fieldsEnd_ = reader.at;
    for (reader.skipBlanks(); reader.at < line.size(); reader.skipBlanks()) {
        EpdLineOperation operation;
        if (!reader.operation(operation)) {
            fault = reader.fault;
            return std::nullopt;
        }
        epd.written_.emplace_back(line.substr(operation.begin, operation.end - operation.begin));
        epd.operations_.push_back(std::move(operation));
    }
    return epd;
}

std::string EpdLine::position() const {
    std::string text;
    for (const std::string& field : fields_) text += (text.empty() ? "" : " ") + field;
    return text;
}

const EpdLineOperation* EpdLine::find(std::string_view opcode) const {
    for (const EpdLineOperation& operation : operations_)
        if (operation.opcode == opcode) return &operation;
    return nullptr;
}

std::vector<std::string> EpdLine::operands(std::string_view opcode) const {
    const EpdLineOperation* operation = find(opcode);
    return operation ? operation->operands : std::vector<std::string>{};
}

std::string EpdLine::fen() const {
    const std::vector<std::string> halfmoves = operands("hmvc"), number = operands("fmvn");
    return position() + " " + (halfmoves.empty() ? NO_HALFMOVES : halfmoves[0]) + " " +
           (number.empty() ? FIRST_MOVE_NUMBER : number[0]);
}

void EpdLine::set(std::string_view opcode, const std::vector<std::string>& operands) {
    std::string text(opcode);
    for (const std::string& operand : operands) {
        text += ' ';
        text += operandText(operand);
    }
    text += ";";
    const EpdLineOperation* known = find(opcode);
    if (!known) {
        operations_.push_back({std::string(opcode), operands, std::string::npos, std::string::npos});
        written_.push_back(text);
        return;
    }
    const std::size_t index = static_cast<std::size_t>(known - operations_.data());
    operations_[index].operands = operands;
    written_[index] = text;
}

std::string EpdLine::text() const {
    std::string out;
    std::size_t at = 0, index = 0;
    for (; index < operations_.size() && operations_[index].begin != std::string::npos; ++index) {
        out += line_.substr(at, operations_[index].begin - at) + written_[index];
        at = operations_[index].end;
    }
    if (index == 0) {
        out = line_.substr(0, fieldsEnd_);
        at = fieldsEnd_;
    }
    for (; index < written_.size(); ++index) {
        out += ' ';
        out += written_[index];
    }
    return out + line_.substr(at);
}
