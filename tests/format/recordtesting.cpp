#include "format/recordtesting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "bench/recordgen.h"
#include "format/recordcompare.h"
#include "format/recordio.h"
#include "format/usi/sfen.h"

std::string DataFile(const std::string& path) {
    std::ifstream in(std::string(MARLOCK_TEST_DATA_DIR) + "/" + path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_TRUE(in.good()) << path;
    return bytes.str();
}

std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

Position SfenPosition(std::string_view sfen) {
    const SfenReading reading = ReadSfen(sfen);
    EXPECT_FALSE(reading.error) << sfen;
    return reading.position;
}

Reading Read(std::string_view bytes, const FileType& type) {
    Reading reading;
    ReadOutcome outcome = ReadRecord(*reading.record, bytes, type);
    reading.type = outcome.type;
    reading.error = std::move(outcome.error);
    for (const ReadNotice& notice : outcome.notices) {
        if (!reading.notices.empty()) reading.notices += '\n';
        reading.notices +=
            std::to_string(notice.line) + ":" + std::to_string(notice.column) + ": " + notice.text;
    }
    reading.startKnown = outcome.startKnown;
    return reading;
}

std::string StopText(const Reading& read) {
    if (!read.error) return "";
    return std::to_string(read.error->line) + ":" + std::to_string(read.error->column) + ": " +
           read.error->message;
}

std::unique_ptr<GameRecord> ReadGood(std::string_view bytes, const FileType& type) {
    Reading read = Read(bytes, type);
    EXPECT_FALSE(read.error) << read.error->message << " at " << read.error->line << ":"
                             << read.error->column;
    return std::move(read.record);
}

std::string Write(const GameRecord& record, const FileType& type) {
    std::string bytes, refusal;
    EXPECT_TRUE(WriteRecord(record, type, bytes, refusal)) << refusal;
    return bytes;
}

std::string Refusal(const GameRecord& record, const FileType& type) {
    std::string bytes = "old", refusal;
    if (WriteRecord(record, type, bytes, refusal)) return "";
    EXPECT_EQ(bytes, "");
    return refusal;
}

std::string ExpectRoundTrip(const GameRecord& record, const FileType& type) {
    const std::string bytes = Write(record, type);
    const Reading again = Read(bytes, type);
    EXPECT_FALSE(again.error) << again.error->message << " at " << again.error->line << ":"
                              << again.error->column;
    std::string why;
    EXPECT_TRUE(SameRecord(record, *again.record, &why)) << why;
    EXPECT_TRUE(Write(*again.record, type) == bytes);  // no diff of megabytes on a failure
    return bytes;
}

std::string Usi(const Move& move) {
    const auto square = [](Square sq) {
        return std::string{static_cast<char>('1' + sq.file), static_cast<char>('a' + sq.rank)};
    };
    if (move.drop) return std::string{PieceLetter(move.piece), '*'} + square(move.to);
    return square(move.from) + square(move.to) + (move.promote ? "+" : "");
}

std::string NodeText(const MoveNode& node) {
    return node.IsResult() ? ResultKeyword(*node.Result()) : Usi(node.move);
}

std::string LineFrom(const MoveNode& node) {
    std::string line;
    for (const MoveNode* n = node.Continuation(0); n; n = n->Continuation(0)) {
        if (!line.empty()) line += ' ';
        line += NodeText(*n);
    }
    return line;
}

const MoveNode* NodeAt(const GameRecord& record, std::string_view path) {
    const MoveNode* node = &record.Root();
    while (node && !path.empty()) {
        const std::size_t dot = path.find('.');
        node = node->Continuation(std::stoi(std::string(path.substr(0, dot))));
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    }
    return node;
}

const MoveNode* LastOfMainLine(const GameRecord& record) {
    const MoveNode* node = &record.Root();
    while (node->Continuation(0))
        node = node->Continuation(0);
    return node;
}

void BuildDeepVariations(GameRecord& record, int depth) {
    const char* const leaf[] = {"2h1h", "8b9b", "3h4h", "7b6b"};
    const char* const carryOn[] = {"2h3h", "8b7b", "3h2h", "7b8b"};
    for (int level = 0; level < depth; ++level) {
        ASSERT_TRUE(PlayLine(record, leaf[level % 4]));
        record.GoBack();
        ASSERT_TRUE(PlayLine(record, carryOn[level % 4]));
    }
    record.GoToTop();
}

namespace {

// Texts the record file holds unchanged: no ']' and no keyword at the start of a comment, but
// line ends, brackets, braces and bytes above 127 are all allowed.
const char* const kTexts[] = {
    "Quiet start",
    "Line one\r\nline two",
    "{not a variation} and [half a bracket",
    "\xe7\xa7\xbb\xe5\x8b\x95 and \xa9 1998",
    "title in lower case",
    " TITLE after a blank",
    "12. P-7f as text",
    "x",
};

const char* PickText(std::mt19937& random) {
    return kTexts[random() % std::size(kTexts)];
}

}  // namespace

void FillRandomRecord(GameRecord& record, unsigned seed, int moves) {
    BuildBushyTree(record, moves, seed);
    std::mt19937 random(seed);
    if (random() % 2) record.SetTitle(PickText(random));
    if (random() % 2) record.SetBlackPlayer(PickText(random));
    if (random() % 2) record.SetWhitePlayer(PickText(random));
    // Down a few random paths, main lines and variations, some nodes get one of the texts.
    for (int path = 0; path < 8; ++path) {
        record.GoToTop();
        do {
            if (random() % 6 == 0) record.SetCurrentComment(PickText(random));
        } while (record.Current().ChildCount() > 0 &&
                 record.GoForward(static_cast<int>(random() % record.Current().ChildCount())));
    }
    record.GoToTop();
}
