#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/gamerecord.h"
#include "model/position.h"

// The header lines of the Japanese record formats (KIF and KI2 lines, JKF's header object): which
// label stands for which part of the record. Labels and values are UTF-8.

inline constexpr std::string_view JapaneseTitleLabel = "表題";
inline constexpr std::string_view JapaneseHandicapLabel = "手合割";

// Puts one header line into the record: 表題 sets the title; 先手 and 下手 set Black's name,
// 後手 and 上手 White's (a later line replaces an earlier one); the label of a shared key adds a
// header line under that key (開始日時 and the older 対局日 both give the start time; 手合割
// gives the handicap name); any other label adds a header line under the label itself.
void AddJapaneseHeader(GameRecord& record, std::string_view label, std::string_view value);

// The shared key a label stands for ("event" for 棋戦), or nothing for the players' and the
// title's labels and for any label of its own.
std::optional<std::string_view> SharedKeyOfJapaneseLabel(std::string_view label);

// The label a header line's key is written under: 棋戦 for the event, 開始日時 for the start
// time, ...; a key of its own is its own label.
std::string_view JapaneseLabelOfKey(std::string_view key);

// Whether `label` is one the header gives a meaning: the title's, the players', or a shared
// key's. A header line of its own under such a label would not read back as itself.
bool IsReservedJapaneseLabel(std::string_view label);

// Handicap games name the players 下手 (Black, who receives the handicap) and 上手 (White);
// every other game 先手 and 後手. The handicap labels are used when the start is a named
// handicap other than the even game.
bool UsesHandicapLabels(const Position& start);
std::string_view BlackPlayerLabel(bool handicapLabels);
std::string_view WhitePlayerLabel(bool handicapLabels);

struct JapaneseHeaderLine {
    std::string label;
    std::string value;

    friend bool operator==(const JapaneseHeaderLine&, const JapaneseHeaderLine&) = default;
};

// The title (when there is one) and then the further header lines in record order, each under
// its label (the handicap name under 手合割). Texts as RecordTextAsUtf8 gives them, so texts an
// ESN file stored as bytes come out as UTF-8.
std::vector<JapaneseHeaderLine> JapaneseHeaderLines(const GameRecord& record);

// The players' lines, Black's first, for each name that is set; under the handicap labels
// when the record's start calls for them.
std::vector<JapaneseHeaderLine> JapanesePlayerLines(const GameRecord& record);
