// Helpers of the PGN and EPD text tests: their data tables, and text cut at a separator.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/data_files.h"

// A table of tests/data/records, each row given at least that many fields (an empty
// last field is none to the table reader).
inline std::vector<DataRow> recordsTable(const std::string& file, std::size_t fields) {
    std::vector<DataRow> rows = readDataTable("records/" + file);
    for (DataRow& row : rows) row.resize(std::max(row.size(), fields));
    return rows;
}

inline std::string rowName(const testing::TestParamInfo<DataRow>& row) { return identifierOf(row.param[0]); }

// The parts of text between separators ("" gives one empty part).
inline std::vector<std::string> splitAt(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
        at = end + separator.size();
    }
    return parts;
}
