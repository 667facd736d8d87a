#include "cli/jsontext.h"

#include "format/textencoding.h"

namespace {

void AppendEscaped(std::string& out, unsigned char c) {
    static constexpr char hex[] = "0123456789abcdef";
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (c < 0x20 || c == 0x7F) {
        out += "\\u00";
        out += hex[c >> 4];
        out += hex[c & 15];
        return;
    }
    out += static_cast<char>(c);
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view bytes) {
    const bool utf8 = IsUtf8(bytes);
    out += '"';
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80 || utf8) {
            AppendEscaped(out, c);
        } else {
            // The character of the same number, U+0080..U+00FF, in UTF-8.
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += '"';
}
