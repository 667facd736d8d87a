#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "model/gamerecord.h"
#include "model/positiontesting.h"

// Helpers for the KIF and KI2 tests.

// A move as engines write it: "7g7f", "2d2c+", "G*5b".
inline std::string Usi(const Move& move) {
    const auto square = [](Square sq) {
        return std::string{static_cast<char>('1' + sq.file), static_cast<char>('a' + sq.rank)};
    };
    if (move.drop) return std::string{PieceLetter(move.piece), '*'} + square(move.to);
    return square(move.from) + square(move.to) + (move.promote ? "+" : "");
}

// A node's move, or its result's keyword.
inline std::string NodeText(const MoveNode& node) {
    return node.IsResult() ? ResultKeyword(*node.Result()) : Usi(node.move);
}

// The line of main continuations below `node`, blank-separated.
inline std::string LineFrom(const MoveNode& node) {
    std::string line;
    for (const MoveNode* n = node.Continuation(0); n; n = n->Continuation(0)) {
        if (!line.empty()) line += ' ';
        line += NodeText(*n);
    }
    return line;
}

inline std::string MainLine(const GameRecord& record) {
    return LineFrom(record.Root());
}

// The node reached by the continuation indices in `path` ("0.0.1"), or null.
inline const MoveNode* NodeAt(const GameRecord& record, std::string_view path) {
    const MoveNode* node = &record.Root();
    while (node && !path.empty()) {
        const std::size_t dot = path.find('.');
        node = node->Continuation(std::stoi(std::string(path.substr(0, dot))));
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    }
    return node;
}

inline std::string KifData(const std::string& name) {
    std::ifstream in(std::string(MARLOCK_TEST_DATA_DIR) + "/kif/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
