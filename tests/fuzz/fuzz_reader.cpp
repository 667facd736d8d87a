// Feeds arbitrary bytes to the record reader. Whatever reads without error must survive a
// round trip: written out and read into a fresh record, it must give back the same record.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

#include "esn/loaderror.h"
#include "esn/reader.h"
#include "esn/recordcompare.h"
#include "esn/writer.h"
#include "model/gamerecord.h"

namespace {

class ByteSource : public std::streambuf {
  public:
    ByteSource(const std::uint8_t* data, std::size_t size) {
        char* begin = reinterpret_cast<char*>(const_cast<std::uint8_t*>(data));
        setg(begin, begin, begin + size);
    }
};

bool Read(GameRecord& record, std::istream& in) {
    try {
        ReadESN(record, in);
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
    ByteSource source(data, size);
    std::istream in(&source);
    GameRecord record;
    if (!Read(record, in)) return 0;

    // Texts the format cannot hold are refused by the program before saving; nothing to check.
    if (!FindUnwritableText(record).empty()) return 0;

    std::ostringstream written;
    WriteESN(record, written);
    const std::string text = written.str();

    std::istringstream again(text);
    GameRecord copy;
    try {
        ReadESN(copy, again);
    } catch (const ESNLoadError& error) {
        Fail("the written record does not read back", error.message + "\n" + text);
    }
    std::string why;
    if (!SameRecord(record, copy, &why)) Fail("the record changed in a round trip", why);

    // Writing the copy gives the same bytes again.
    std::ostringstream rewritten;
    WriteESN(copy, rewritten);
    if (rewritten.str() != text) Fail("writing is not stable", text);
    return 0;
}
