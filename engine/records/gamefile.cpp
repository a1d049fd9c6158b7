#include "records/gamefile.h"

#include <algorithm>
#include <cstring>

namespace {

// A record's words as bytes: the header, then up to MAX_GAME_PLIES moves.
using RecordBytes = unsigned char[GAME_WORD_BYTES * (MAX_GAME_PLIES + 1)];

std::uint16_t wordAt(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

void putWord(unsigned char* bytes, std::uint16_t word) {
    bytes[0] = static_cast<unsigned char>(word & 0xFF);
    bytes[1] = static_cast<unsigned char>(word >> 8);
}

// Reads count bytes, adding those that came to taken; true when all came.
bool readBytes(std::istream& in, unsigned char* bytes, std::streamsize count, std::size_t& taken) {
    in.read(reinterpret_cast<char*>(bytes), count);
    taken += static_cast<std::size_t>(in.gcount());
    return in.gcount() == count;
}

void setResult(GameRecord& record, int result) {
    static constexpr const char* TEXTS[4] = {"", "0-1", "1-0", "1/2-1/2"};
    static constexpr char CODES[4] = {'?', 'B', 'W', 'D'};
    std::strcpy(record.resultText, TEXTS[result]);
    record.resultCode = CODES[result];
}

// No record holds 0 or a move of kind 3: such a word means a corrupt or foreign file.
bool isMoveWord(Move move) { return move != 0 && moveKind(move) != KIND_NO_MOVE; }

std::uint64_t hashWords(const std::uint16_t* words, std::size_t count) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;  // FNV-1a over the 16-bit words
    for (std::size_t i = 0; i < count; ++i) {
        hash ^= words[i];
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

// The record's header and moves as one run of words, in the buffer given.
std::size_t recordWords(const GameRecord& record, std::uint16_t* words) {
    const int plies = pliesOf(record);
    words[0] = record.header;
    std::copy_n(record.moves, plies, words + 1);
    return static_cast<std::size_t>(plies) + 1;
}

}  // namespace

RecordRead readRecord(GameRecord& record, std::istream& in, std::size_t& bytes) {
    RecordBytes data;
    bytes = 0;
    if (!readBytes(in, data, GAME_WORD_BYTES, bytes)) return bytes == 0 ? RecordRead::END : RecordRead::CUT;
    const std::uint16_t header = wordAt(data);
    const int result = header >> RESULT_SHIFT;
    const int plies = header & PLY_COUNT_MASK;
    if (result == 0) throw RecordError(WRONG_RESULT);
    if (plies > MAX_GAME_PLIES) throw RecordError(GAME_RECORD_TOO_LONG);
    if (!readBytes(in, data, GAME_WORD_BYTES * plies, bytes)) return RecordRead::CUT;
    for (int i = 0; i < plies; ++i)
        if (!isMoveWord(wordAt(data + GAME_WORD_BYTES * i))) throw RecordError(NOT_A_MOVE_IN_GAME_FILE);
    for (int i = 0; i < plies; ++i) record.moves[i] = wordAt(data + GAME_WORD_BYTES * i);
    record.header = header;
    setResult(record, result);
    return RecordRead::RECORD;
}

bool readGameRecord(GameRecord& record, std::istream& in) {
    std::size_t bytes = 0;
    const RecordRead read = readRecord(record, in, bytes);
    if (read == RecordRead::CUT) throw RecordError(TRUNCATED_GAME_FILE);
    return read == RecordRead::RECORD;
}

void writeGameRecord(const GameRecord& record, std::ostream& out) {
    std::string bytes;
    appendGameRecord(record, bytes);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void appendGameRecord(const GameRecord& record, std::string& bytes) {
    RecordBytes data;
    const int plies = pliesOf(record);
    putWord(data, record.header);
    for (int i = 0; i < plies; ++i) putWord(data + GAME_WORD_BYTES * (i + 1), record.moves[i]);
    bytes.append(reinterpret_cast<const char*>(data), GAME_WORD_BYTES * (plies + 1));
}

bool gamesEqual(const GameRecord& a, const GameRecord& b) {
    return a.header == b.header && std::equal(a.moves, a.moves + pliesOf(a), b.moves);
}

bool GameIndex::contains(const GameRecord& record) const {
    std::uint16_t words[MAX_GAME_PLIES + 1];
    const std::size_t count = recordWords(record, words);
    const auto [first, last] = starts_.equal_range(hashWords(words, count));
    for (auto it = first; it != last; ++it) {
        const std::uint16_t* stored = words_.data() + it->second;
        // Equal headers mean equal lengths: only then are the moves compared.
        if (stored[0] == words[0] && std::equal(words + 1, words + count, stored + 1)) return true;
    }
    return false;
}

void GameIndex::add(const GameRecord& record) {
    std::uint16_t words[MAX_GAME_PLIES + 1];
    const std::size_t count = recordWords(record, words);
    starts_.emplace(hashWords(words, count), words_.size());
    words_.insert(words_.end(), words, words + count);
}

GameFileEnd loadGameIndex(GameIndex& index, std::istream& in) {
    GameFileEnd end;
    GameRecord record;
    std::size_t bytes = 0;
    for (RecordRead read; (read = readRecord(record, in, bytes)) != RecordRead::END;) {
        if (read == RecordRead::CUT) {
            end.cutBytes = bytes;
            break;
        }
        index.add(record);
        end.wholeBytes += bytes;
    }
    in.clear();
    return end;
}

bool isDuplicateGame(const GameRecord& record, const GameIndex& index) { return index.contains(record); }
