#include "cli/jsontext.h"

#include <nlohmann/json.hpp>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence starting at bytes[i], or 0 when there is none.
std::size_t SequenceLength(std::string_view bytes, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    if (at(i + 1) < low || at(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!IsContinuation(at(i + k))) return 0;
    return length;
}

// Each byte as the character of the same number, U+0000..U+00FF, in UTF-8.
std::string BytesAsCharacters(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            text += ch;
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// The library writes backspace and form feed as \b and \f and DEL as it is; the tool has always
// written them as \u0008, \u000c and \u007f, which readers of its output may rely on.
void AppendWithToolEscapes(std::string& out, std::string_view json) {
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '\x7f') {
            out += "\\u007f";
        } else if (c == '\\' && i + 1 < json.size()) {
            const char escaped = json[++i];
            if (escaped == 'b')
                out += "\\u0008";
            else if (escaped == 'f')
                out += "\\u000c";
            else
                (out += '\\') += escaped;
        } else {
            out += c;
        }
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

void AppendJsonString(std::string& out, std::string_view bytes) {
    const nlohmann::json text = IsValidUtf8(bytes) ? std::string(bytes) : BytesAsCharacters(bytes);
    AppendWithToolEscapes(out, text.dump());
}

void AppendJsonNumber(std::string& out, long long number) {
    out += nlohmann::json(number).dump();
}
