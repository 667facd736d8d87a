// Feeds arbitrary bytes to the JKF reader, through the front as a file is read. Whatever reads
// without error and loses nothing when written must survive a round trip: written out and read into
// a fresh record, it must give back the same record, and writing that gives the same bytes again.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/recordcompare.h"
#include "format/recordio.h"
#include "model/gamerecord.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FileType type{RecordFormat::Jkf};
    GameRecord record;
    const ReadOutcome outcome =
        ReadRecord(record, std::string_view(reinterpret_cast<const char*>(data), size), type);
    if (const auto& error = outcome.error) {
        if (error->line < 1 || error->column < 1 || error->message.empty())
            Fail("an error without a place", error->message);
        return 0;
    }
    if (WriteLosses(record, type).Any()) return 0;

    std::string text, refusal;
    if (!WriteRecord(record, type, text, refusal)) Fail("the writer refused", refusal);
    GameRecord copy;
    if (const auto error = ReadRecord(copy, text, type).error)
        Fail("the written record does not read back", error->message + "\n" + text);
    std::string why;
    if (!SameRecord(record, copy, &why)) Fail("the record changed in a round trip", why);
    std::string again;
    WriteRecord(copy, type, again, refusal);
    if (again != text) Fail("writing is not stable", text);
    return 0;
}
