#include "format/text/textscan.h"

#include <algorithm>

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
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = count; i < width; ++i)
        out += fill;
    while (count > 0)
        out += digits[--count];
}
