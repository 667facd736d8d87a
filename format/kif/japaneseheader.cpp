#include "format/kif/japaneseheader.h"

#include "format/text/textencoding.h"
#include "model/handicap.h"
#include "model/headerline.h"

namespace {

struct SharedLabel {
    std::string_view label;
    std::string_view key;
};

// The first label of a key is the one written; later ones are only read.
constexpr SharedLabel SharedLabels[] = {
    {"棋戦", HeaderKey::Event},         {"場所", HeaderKey::Site},
    {"開始日時", HeaderKey::StartTime}, {"対局日", HeaderKey::StartTime},
    {"終了日時", HeaderKey::EndTime},   {"持ち時間", HeaderKey::TimeLimit},
    {"秒読み", HeaderKey::Byoyomi},     {"戦型", HeaderKey::Opening},
    {"手合割", HeaderKey::Handicap},    {"備考", HeaderKey::Note},
};

constexpr std::string_view BlackLabels[] = {"先手", "下手"};
constexpr std::string_view WhiteLabels[] = {"後手", "上手"};

bool IsOneOf(std::string_view label, const std::string_view (&labels)[2]) {
    return label == labels[0] || label == labels[1];
}

}  // namespace

std::optional<std::string_view> SharedKeyOfJapaneseLabel(std::string_view label) {
    for (const SharedLabel& shared : SharedLabels)
        if (shared.label == label) return shared.key;
    return std::nullopt;
}

std::string_view JapaneseLabelOfKey(std::string_view key) {
    for (const SharedLabel& shared : SharedLabels)
        if (shared.key == key) return shared.label;
    return key;
}

bool IsReservedJapaneseLabel(std::string_view label) {
    return label == JapaneseTitleLabel || IsOneOf(label, BlackLabels) ||
           IsOneOf(label, WhiteLabels) || SharedKeyOfJapaneseLabel(label).has_value();
}

void AddJapaneseHeader(GameRecord& record, std::string_view label, std::string_view value) {
    if (label == JapaneseTitleLabel) {
        record.SetTitle(std::string(value));
    } else if (IsOneOf(label, BlackLabels)) {
        record.SetBlackPlayer(std::string(value));
    } else if (IsOneOf(label, WhiteLabels)) {
        record.SetWhitePlayer(std::string(value));
    } else {
        const auto key = SharedKeyOfJapaneseLabel(label);
        record.AddHeaderLine({std::string(key ? *key : label), std::string(value)});
    }
}

bool UsesHandicapLabels(const Position& start) {
    const auto handicap = MatchHandicap(start);
    return handicap && *handicap != Handicap::Even;
}

std::string_view BlackPlayerLabel(bool handicapLabels) {
    return BlackLabels[handicapLabels ? 1 : 0];
}

std::string_view WhitePlayerLabel(bool handicapLabels) {
    return WhiteLabels[handicapLabels ? 1 : 0];
}

std::vector<JapaneseHeaderLine> JapaneseHeaderLines(const GameRecord& record) {
    std::vector<JapaneseHeaderLine> lines;
    lines.reserve(record.HeaderLines().size() + 1);
    if (!record.Title().empty())
        lines.push_back({std::string(JapaneseTitleLabel), RecordTextAsUtf8(record.Title())});
    for (const HeaderLine& line : record.HeaderLines()) {
        lines.push_back(
            {RecordTextAsUtf8(JapaneseLabelOfKey(line.key)), RecordTextAsUtf8(line.value)});
    }
    return lines;
}

std::vector<JapaneseHeaderLine> JapanesePlayerLines(const GameRecord& record) {
    const bool handicapLabels = UsesHandicapLabels(record.StartPosition());
    std::vector<JapaneseHeaderLine> lines;
    if (!record.BlackPlayer().empty())
        lines.push_back({std::string(BlackPlayerLabel(handicapLabels)),
                         RecordTextAsUtf8(record.BlackPlayer())});
    if (!record.WhitePlayer().empty())
        lines.push_back({std::string(WhitePlayerLabel(handicapLabels)),
                         RecordTextAsUtf8(record.WhitePlayer())});
    return lines;
}
