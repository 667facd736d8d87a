#include "format/text/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

int CountCharacters(std::string_view text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

Utf8Sequence ReadUtf8Sequence(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) return {1, lead};
    std::size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return {};
    }
    if (i + length > bytes.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuationByte(bytes[i + k])) return {};
        value = (value << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (overlong || surrogate || value > 0x10FFFF) return {};
    return {length, value};
}

std::size_t AsciiRunEnd(std::string_view bytes, std::size_t i) {
    // 32 bytes at a time: a long JKF or KIF file is mostly ASCII.
    constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
    for (; i + 32 <= bytes.size(); i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, bytes.data() + i, 32);
        if ((words[0] | words[1] | words[2] | words[3]) & HighBits) break;
    }
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & HighBits) break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

std::size_t ValidUtf8Prefix(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        i = AsciiRunEnd(bytes, i);
        if (i == bytes.size()) break;
        const std::size_t length = ReadUtf8Sequence(bytes, i).length;
        if (length == 0) break;
        i += length;
    }
    return i;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
