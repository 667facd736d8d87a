#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Walking UTF-8 text, the form in which every format but ESN keeps its texts: the one place that
// knows how characters are made of bytes.

constexpr bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The character at `pos` of a well-formed UTF-8 text, moving `pos` past it; 0 at the end. The
// readers ask for every character of a long record: inline.
inline char32_t NextCharacter(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) return 0;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t c = lead & (0x7F >> length);
    std::size_t i = 1;
    for (; i < length && pos + i < text.size(); ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    pos += i;
    return c;
}
// The character at `pos` without moving past it.
inline char32_t CharacterAt(std::string_view text, std::size_t pos) {
    return NextCharacter(text, pos);
}

// The characters of a well-formed UTF-8 text.
int CountCharacters(std::string_view text);

// The well-formed UTF-8 sequence at `i` of any bytes: its length and code point; length 0 when
// the bytes there are none (a stray byte, an overlong form, a surrogate, a value past U+10FFFF).
struct Utf8Sequence {
    std::size_t length = 0;
    char32_t codePoint = 0;
};
Utf8Sequence ReadUtf8Sequence(std::string_view bytes, std::size_t i);

// The end of the run of ASCII bytes that starts at `i`.
std::size_t AsciiRunEnd(std::string_view bytes, std::size_t i);
// How many leading bytes are well-formed UTF-8.
std::size_t ValidUtf8Prefix(std::string_view bytes);

void AppendUtf8(std::string& out, char32_t c);
