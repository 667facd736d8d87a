// Feeds arbitrary bytes to the reader of one record format (MARLOCK_FUZZ_FORMAT, a RecordFormat
// enumerator). Whatever reads without error must survive a round trip: written out in the same
// format and read into a fresh record, it must give back the same record, and writing that
// record must give the same bytes again.

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

const FileType Type{RecordFormat::MARLOCK_FUZZ_FORMAT};

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

bool Read(GameRecord& record, std::string_view bytes) {
    const ReadOutcome outcome = ReadRecord(record, bytes, Type);
    if (!outcome.error) return true;
    // Where reading stopped must be a place, with a reason.
    const ReadError& error = *outcome.error;
    if (error.line < 1 || error.column < 1 || error.message.empty())
        Fail("error without a place", error.message + " at " + std::to_string(error.line) + ":" +
                                          std::to_string(error.column));
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameRecord record;
    if (!Read(record, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;

    // Texts the format cannot hold are refused before anything is written; nothing to check.
    std::string text;
    std::string refusal;
    if (!WriteRecord(record, Type, text, refusal)) return 0;
    GameRecord copy;
    const ReadOutcome back = ReadRecord(copy, text, Type);
    if (back.error)
        Fail("the written record does not read back", back.error->message + "\n" + text);
    std::string why;
    if (!SameRecord(record, copy, &why)) Fail("the record changed in a round trip", why);

    std::string again;
    if (!WriteRecord(copy, Type, again, refusal) || again != text)
        Fail("writing is not stable", text);
    return 0;
}
