#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small helpers that every text reader and writer uses: ASCII digits, blanks and trimming.

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A blank between words: an ASCII blank, a tab or the full-width blank U+3000 that Japanese
// text uses.
constexpr bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u3000';
}
// The offset of the first character at or after `pos` that is no blank.
std::size_t SkipBlanks(std::string_view text, std::size_t pos);
// `text` without the blanks at its end.
std::string_view TrimTrailingBlanks(std::string_view text);
// `text` without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// `value` (0 or more) in decimal, filled on the left with `fill` to `width` characters. The
// writers put numbers on every move of a long record, where a formatted print would cost more
// than the rest of the line.
void AppendDecimal(std::string& out, long long value, int width = 0, char fill = ' ');
