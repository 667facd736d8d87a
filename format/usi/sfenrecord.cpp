#include "format/usi/sfenrecord.h"

#include <algorithm>

#include "format/text/loaderror.h"
#include "format/usi/asciiwords.h"
#include "format/usi/sfen.h"

namespace {

bool IsBoardShaped(std::string_view word) {
    const auto allowed = [](char c) {
        return (c >= '1' && c <= '9') || c == '+' || c == '/' || (c >= 'A' && c <= 'Z') ||
               (c >= 'a' && c <= 'z');
    };
    return std::all_of(word.begin(), word.end(), allowed) &&
           std::count(word.begin(), word.end(), '/') == 8;
}

}  // namespace

void ReadSfenFile(GameRecord& record, RecordText& text, ReadReport& report) {
    record.Reset();
    const std::optional<TextLine> line = FirstLineWithText(text, "no position", report.error);
    if (!line) return;
    WordReader words(*line);
    Word word;
    if (!words.Next(word)) {
        report.error = words.Error();
        return;
    }
    if (word.text != "sfen") words.SkipTo(word.offset);
    const std::size_t at = words.Offset();
    const SfenReading reading = ReadSfen(line->text.substr(at));
    if (reading.error) {
        words.Fail(reading.error->message, at + reading.error->offset);
    } else {
        SetReadStart(record, reading.position, *line, at, report);
        words.SkipTo(at + reading.end);
        if (words.Next(word))
            words.Fail("unexpected '" + std::string(word.text) + "' after the position",
                       word.offset);
    }
    report.error = words.Error() ? words.Error() : TextAfter(text);
}

void WriteSfenFile(const GameRecord& record, std::string& bytes) {
    bytes = Sfen(record.StartPosition(), 0) + '\n';
}

bool LooksLikeSfen(const TextLine& line) {
    WordReader words(line);
    Word word;
    if (!words.Next(word)) return false;
    if (word.text == "sfen" && !words.Next(word)) return false;
    if (!IsBoardShaped(word.text)) return false;
    if (!words.Next(word) || (word.text != "b" && word.text != "w")) return false;
    while (words.Next(word))
        if (word.text == "moves") return false;
    return !words.Error();
}
