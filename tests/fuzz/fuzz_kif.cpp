// Feeds arbitrary bytes to the KIF reader, or with MARLOCK_FUZZ_KI2 to the KI2 reader. Nothing
// may crash or hang; an error must say where; and whatever reads must survive a round trip in
// UTF-8 and, when code page 932 can hold it, in code page 932: written out and read into a
// fresh record it gives back the same record, and writing that gives the same bytes again. The
// times the format cannot hold (KI2 has none, KIF whole seconds) are taken out first: those are
// the losses the format reports.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "format/recordcompare.h"
#include "format/recordio.h"
#include "jisforms.h"
#include "model/gamerecord.h"

namespace {

#ifdef MARLOCK_FUZZ_KI2
constexpr RecordFormat Format = RecordFormat::Ki2;
std::optional<std::int64_t> Writable(std::int64_t) {
    return std::nullopt;
}
#else
constexpr RecordFormat Format = RecordFormat::Kif;
std::optional<std::int64_t> Writable(std::int64_t milliseconds) {
    return milliseconds / 1000 * 1000;
}
#endif

// Every time of the tree as the format writes it, walking with an explicit stack.
void KeepWritableTimes(GameRecord& record) {
    record.GoToTop();
    std::vector<int> next{0};
    while (!next.empty()) {
        if (!record.GoForward(next.back())) {
            next.pop_back();
            if (next.empty()) break;
            record.GoBack();
            ++next.back();
            continue;
        }
        if (const auto time = record.Current().TimeMs()) record.SetCurrentTime(Writable(*time));
        next.push_back(0);
    }
    record.GoToTop();
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// Reads through the front, as a file is read: the character set is found from the bytes.
std::optional<ReadError> Read(GameRecord& record, std::string_view bytes, TextEncoding& encoding) {
    const ReadOutcome outcome = ReadRecord(record, bytes, FileType{Format});
    encoding = outcome.type.encoding;
    return outcome.error;
}

bool Write(const GameRecord& record, TextEncoding encoding, std::string& bytes,
           std::string& refusal) {
    return WriteRecord(record, FileType{Format, encoding, 0}, bytes, refusal);
}

bool ReadChecked(GameRecord& record, std::string_view bytes, TextEncoding& encoding) {
    const std::optional<ReadError> error = Read(record, bytes, encoding);
    if (!error) return true;
    if (error->line < 1 || error->column < 1 || error->message.empty()) {
        Fail("error without a place", error->message + " at " + std::to_string(error->line) + ":" +
                                          std::to_string(error->column));
    }
    return false;
}

void RoundTrip(const GameRecord& record, TextEncoding encoding) {
    std::string bytes, refusal;
    if (!Write(record, encoding, bytes, refusal)) return;  // refused before writing: nothing lost
    GameRecord copy;
    TextEncoding found = TextEncoding::Utf8;
    if (const std::optional<ReadError> error = Read(copy, bytes, found)) {
        Fail("the written record does not read back", std::to_string(error->line) + ":" +
                                                          std::to_string(error->column) + ": " +
                                                          error->message + "\n" + bytes);
    }
    if (found != encoding) Fail("the written record reads in another character set", bytes);
    std::string why;
    std::string utf8;
    const bool changesForms = encoding != TextEncoding::Utf8 &&
                              Write(record, TextEncoding::Utf8, utf8, refusal) &&
                              HoldsJisForms(utf8);
    if (!changesForms && !SameRecord(record, copy, &why))
        Fail("the record changed in a round trip", why + "\n" + bytes);
    std::string again;
    if (!Write(copy, encoding, again, refusal) || again != bytes)
        Fail("writing is not stable", bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameRecord record;
    TextEncoding encoding = TextEncoding::Utf8;
    if (!ReadChecked(record, std::string_view(reinterpret_cast<const char*>(data), size), encoding))
        return 0;
    KeepWritableTimes(record);
    RoundTrip(record, TextEncoding::Utf8);
    RoundTrip(record, TextEncoding::Cp932);
    return 0;
}
