// Feeds arbitrary bytes to the CSA reader. Whatever reads without error and loses nothing when
// written must survive a round trip in both versions: written out and read into a fresh record,
// it must give back the same record, and writing that gives the same bytes again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/recordcompare.h"
#include "format/recordio.h"
#include "format/text/textencoding.h"
#include "jisforms.h"
#include "model/gamerecord.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// Reads through the front, as a file is read.
bool Read(GameRecord& record, std::string_view bytes) {
    const ReadOutcome outcome = ReadRecord(record, bytes, FileType{RecordFormat::Csa});
    if (!outcome.error) return true;
    const ReadError& error = *outcome.error;
    if (error.line < 1 || error.column < 1 || error.message.empty())
        Fail("an error without a place", error.message);
    return false;
}

// The writer puts dates into CSA's form ("2003/5/3" becomes "2003/05/03"): those values may
// differ after the first round, and must then stay as they are.
void TakeRewrittenDates(GameRecord& original, const GameRecord& copy) {
    std::vector<HeaderLine> lines = original.HeaderLines();
    if (lines.size() != copy.HeaderLines().size()) return;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        HeaderLine& line = lines[i];
        if (line.key == copy.HeaderLines()[i].key &&
            (line.key == HeaderKey::StartTime || line.key == HeaderKey::EndTime))
            line.value = copy.HeaderLines()[i].value;
    }
    original.SetHeaderLines(std::move(lines));
}

void RoundTrip(GameRecord& record, int version, TextEncoding encoding) {
    const FileType type{RecordFormat::Csa, encoding, version};
    if (WriteLosses(record, type).Any()) return;
    std::string text, refusal;
    // A text the character set cannot hold is refused before writing; nothing to check.
    if (!WriteRecord(record, type, text, refusal)) return;
    // A version 2.2 file does not say its encoding, which is told from the bytes: a few code
    // page 932 texts are valid UTF-8 or look more like EUC-JP (half-width katakana alone) and
    // read back as such. Real records almost never are; those are skipped.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii && DetectEncoding(text).encoding != encoding) return;
    GameRecord copy;
    if (const auto error = ReadRecord(copy, text, type).error)
        Fail("the written record does not read back", error->message + "\n" + text);
    TakeRewrittenDates(record, copy);
    std::string utf8;
    const bool changesForms =
        encoding != TextEncoding::Utf8 &&
        WriteRecord(record, FileType{RecordFormat::Csa, TextEncoding::Utf8, 30}, utf8, refusal) &&
        HoldsJisForms(utf8);
    std::string why;
    if (!changesForms && !SameRecord(record, copy, &why))
        Fail("the record changed in a round trip", why);
    std::string again;
    WriteRecord(copy, type, again, refusal);
    if (again != text) Fail("writing is not stable", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameRecord record;
    if (!Read(record, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    RoundTrip(record, 30, TextEncoding::Utf8);
    RoundTrip(record, 22, TextEncoding::Cp932);
    return 0;
}
