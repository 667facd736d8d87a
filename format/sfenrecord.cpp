#include "format/sfenrecord.h"

#include <algorithm>

#include "format/asciiwords.h"
#include "format/loaderror.h"
#include "format/sfen.h"

namespace {

bool IsBoardShaped(std::string_view word) {
    const auto allowed = [](char c) {
        return (c >= '1' && c <= '9') || c == '+' || c == '/' || (c >= 'A' && c <= 'Z') ||
               (c >= 'a' && c <= 'z');
    };
    return std::all_of(word.begin(), word.end(), allowed) &&
           std::count(word.begin(), word.end(), '/') == 8;
}

void ReadSfenRecord(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    record.Reset();
    const std::optional<TextLine> line = FirstLineWithText(bytes);
    if (!line) throw ESNLoadError{"no position", 1, 1};
    WordReader words(*line);
    Word word;
    words.Next(word);
    if (word.text != "sfen") words.SkipTo(word.offset);
    const std::size_t at = words.Offset();
    const SfenReading reading = ReadSfen(line->text.substr(at));
    if (reading.error) words.Fail(reading.error->message, at + reading.error->offset);
    SetReadStart(record, reading.position, *line, at, outcome);
    words.SkipTo(at + reading.end);
    if (words.Next(word))
        words.Fail("unexpected '" + std::string(word.text) + "' after the position", word.offset);
    FailOnTextAfter(bytes, *line);
}

bool WriteSfenRecord(const GameRecord& record, const FileType&, std::string& bytes, std::string&) {
    bytes = Sfen(record.StartPosition(), 0) + '\n';
    return true;
}

// The file holds the start position and nothing else.
RecordLosses SfenLosses(const GameRecord& record, const FileType&) {
    RecordLosses losses = CountRecordContents(record);
    losses.moves = MainLineMoves(record);
    losses.headerLines += TitleAndPlayers(record);
    losses.startPosition = false;
    return losses;
}

}  // namespace

bool LooksLikeSfen(std::string_view bytes) {
    const std::optional<TextLine> line = FirstLineWithText(bytes);
    if (!line) return false;
    WordReader words(*line);
    Word word;
    try {
        if (!words.Next(word)) return false;
        if (word.text == "sfen" && !words.Next(word)) return false;
        if (!IsBoardShaped(word.text)) return false;
        if (!words.Next(word) || (word.text != "b" && word.text != "w")) return false;
        while (words.Next(word))
            if (word.text == "moves") return false;
    } catch (const ESNLoadError&) {
        return false;
    }
    return true;
}

const FormatHandler SfenFormat{RecordFormat::Sfen, &LooksLikeSfen, &ReadSfenRecord,
                               &WriteSfenRecord, &SfenLosses};
