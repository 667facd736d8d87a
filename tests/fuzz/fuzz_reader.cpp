// Feeds arbitrary bytes to the record reader. Whatever reads without error must survive a
// round trip: written out and read into a fresh record, it must give back the same record.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/esnreader.h"
#include "format/esnwriter.h"
#include "format/loaderror.h"
#include "format/recordcompare.h"
#include "model/gamerecord.h"

namespace {

bool Read(GameRecord& record, std::string_view bytes) {
    try {
        ReadESN(record, bytes);
        return true;
    } catch (const ESNLoadError& error) {
        // Where reading stopped must lie inside the input.
        if (error.line < 1 || error.column < 1 || error.message.empty()) {
            std::fprintf(stderr, "error without a place: %s at %d:%d\n", error.message.c_str(),
                         error.line, error.column);
            std::abort();
        }
        return false;
    }
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameRecord record;
    if (!Read(record, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;

    // Texts the format cannot hold are refused by the program before saving; nothing to check.
    if (!FindUnwritableText(record).empty()) return 0;

    const std::string text = WriteESN(record);
    GameRecord copy;
    try {
        ReadESN(copy, text);
    } catch (const ESNLoadError& error) {
        Fail("the written record does not read back", error.message + "\n" + text);
    }
    std::string why;
    if (!SameRecord(record, copy, &why)) Fail("the record changed in a round trip", why);

    // Writing the copy gives the same bytes again.
    if (WriteESN(copy) != text) Fail("writing is not stable", text);
    return 0;
}
