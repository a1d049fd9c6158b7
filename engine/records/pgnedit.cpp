#include "records/pgnedit.h"

#include <algorithm>
#include <stdexcept>

#include "records/pgnlayout.h"

namespace {

constexpr std::string_view DOS_NEWLINE = "\r\n";

}  // namespace

std::string tagPairText(std::string_view name, std::string_view value) {
    std::string text = "[";
    text += name;
    text += " \"";
    for (char c : value) {
        if (c == '"' || c == '\\') text += '\\';
        text += c == '\n' || c == '\r' ? ' ' : c;
    }
    return text + "\"]";
}

PgnGameEditor::PgnGameEditor(const PgnGame& game)
    : game_(game), newline_(game.text.find(DOS_NEWLINE) == std::string::npos ? "\n" : std::string(DOS_NEWLINE)) {}

void PgnGameEditor::setTag(std::string_view name, std::string_view value) {
    const auto [known, added] = values_.insert_or_assign(std::string(name), std::string(value));
    if (added && !game_.tag(name)) addedTags_.push_back(known->first);
}

void PgnGameEditor::insertAfterMove(std::size_t index, std::string_view words) {
    if (index >= game_.moves.size()) throw std::out_of_range("no main-line move " + std::to_string(index));
    std::string& inserted = insertions_[index];
    if (!inserted.empty()) inserted += ' ';
    inserted += words;
}

// The new tags, each on a line of its own: after the last tag, or before the
// movetext with a blank line after them.
std::string PgnGameEditor::tagSectionAdded() const {
    std::string text;
    for (const std::string& name : addedTags_) {
        const std::string pair = tagPairText(name, values_.find(name)->second);
        text += game_.tags.empty() ? pair + newline_ : newline_ + pair;
    }
    return game_.tags.empty() && !text.empty() ? text + newline_ : text;
}

std::vector<PgnGameEditor::Edit> PgnGameEditor::edits() const {
    std::vector<Edit> edits;
    for (const PgnTag& tag : game_.tags) {
        const auto value = values_.find(tag.name);
        if (value != values_.end()) edits.push_back({tag.begin, tag.end, tagPairText(tag.name, value->second), false});
    }
    const std::string added = tagSectionAdded();
    if (!added.empty()) edits.push_back({game_.tagsEnd, game_.tagsEnd, added, false});
    for (const auto& [index, words] : insertions_) {
        const std::size_t at = game_.moves[index].annotationsEnd;
        edits.push_back({at, at, words, true});
    }
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    return edits;
}

std::string PgnGameEditor::text() const {
    PgnLayout layout(newline_);
    const std::string_view original = game_.text;
    std::size_t at = 0;
    for (const Edit& edit : edits()) {
        layout.keep(original.substr(at, edit.begin - at));
        if (edit.words) layout.insert(edit.text);
        else layout.keep(edit.text);
        at = edit.end;
    }
    layout.keep(original.substr(at));
    return layout.text();
}
