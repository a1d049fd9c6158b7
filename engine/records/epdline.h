// One EPD line as text: the four fields of the position and its operations
// ("bm Qg6; id "WAC.001";"), read and set without the board. A line comes back
// byte for byte when nothing was set; operations set later replace their opcode's
// where it stands, or follow the others.
//
// For `analyse`: read each line; one that cannot be read is copied as it is. For one
// that can, position() (with the counters of fen()) is what the search sets up, and
// operands("bm")/("am") the moves to judge it by; set bm, ce, acd, acn and pv with
// the result, and write text().
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct EpdLineOperation {
    std::string opcode;
    std::vector<std::string> operands;  // a quoted string without its quotation marks
    std::size_t begin, end;             // from the opcode to after its ';' in the line
};

class EpdLine {
public:
    // The line without its line feed (a carriage return before it is kept). Nothing
    // and fault set when it is no EPD line: fewer than four fields, a field that
    // cannot be one, an opcode that begins with no letter, a quoted string or an
    // operation not closed.
    static std::optional<EpdLine> read(std::string_view line, std::string& fault);

    // Placement, side to move, castling rights and en-passant square, one blank apart.
    std::string position() const;
    // A FEN: the position, then the halfmove clock and move number of the hmvc and
    // fmvn operations ("0 1" without them).
    std::string fen() const;
    const std::vector<EpdLineOperation>& operations() const { return operations_; }
    // The operands of an opcode (empty when the line has none).
    std::vector<std::string> operands(std::string_view opcode) const;

    // Sets an opcode's operands; an operand with a blank or ';' in it is written as
    // a quoted string (a quotation mark in it becomes an apostrophe).
    void set(std::string_view opcode, const std::vector<std::string>& operands);
    void set(std::string_view opcode, std::string_view operand) {
        set(opcode, std::vector<std::string>{std::string(operand)});
    }

    std::string text() const;

private:
    const EpdLineOperation* find(std::string_view opcode) const;

    std::string line_;
    std::vector<std::string> fields_;
    std::size_t fieldsEnd_ = 0;        // after the en-passant field
    std::vector<EpdLineOperation> operations_;
    std::vector<std::string> written_;  // the text of each operation, new ones after the line's
};
