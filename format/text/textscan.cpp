#include "format/text/textscan.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view FullWidthBlank = "\u3000";

}  // namespace

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    for (;;) {
        if (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
            ++pos;
        } else if (text.substr(pos).starts_with(FullWidthBlank)) {
            pos += FullWidthBlank.size();
        } else {
            return pos;
        }
    }
}

std::string_view TrimBlanks(std::string_view text) {
    text.remove_prefix(std::min(text.size(), SkipBlanks(text, 0)));
    return TrimTrailingBlanks(text);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    while (!text.empty()) {
        if (text.back() == ' ' || text.back() == '\t')
            text.remove_suffix(1);
        else if (text.ends_with(FullWidthBlank))
            text.remove_suffix(FullWidthBlank.size());
        else
            break;
    }
    return text;
}

void AppendDecimal(std::string& out, long long value, int width, char fill) {
    char digits[24];
    const std::size_t count =
        static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    if (count < static_cast<std::size_t>(std::max(width, 0)))
        out.append(static_cast<std::size_t>(width) - count, fill);
    out.append(digits, count);
}
