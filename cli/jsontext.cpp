#include "cli/jsontext.h"

#include <nlohmann/json.hpp>

#include "format/text/textencoding.h"

namespace {

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

void AppendJsonString(std::string& out, std::string_view bytes) {
    const nlohmann::json text = IsUtf8(bytes) ? std::string(bytes) : BytesAsCharacters(bytes);
    AppendWithToolEscapes(out, text.dump());
}

void AppendJsonNumber(std::string& out, long long number) {
    out += nlohmann::json(number).dump();
}
