#include "format/text/textencoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "format/text/utf8.h"

namespace {

// An ASCII run shorter than this between two non-ASCII characters goes through iconv with them:
// one call for a few bytes costs more than converting them.
constexpr std::size_t AsciiRunWorthSkipping = 16;

// iconv's names for the character sets. Windows' EUC-JP reads plain EUC-JP the same way and
// gives the same characters as code page 932 for the codes where JIS and Windows differ.
const char* IconvName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Cp932:
            return "CP932";
        case TextEncoding::EucJp:
            return "EUC-JP-MS";
    }
    return "UTF-8";
}
constexpr const char* Windows1252 = "CP1252";

unsigned char ByteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool IsAscii(unsigned char byte) {
    return byte < 0x80;
}

}  // namespace

// One iconv conversion, closed when it goes out of scope.
class IconvConverter {
  public:
    IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("the C library cannot convert from ") + from +
                                     " to " + to);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;
    ~IconvConverter() { iconv_close(cd_); }

    // Converts `in`, appending the result to `out`; answers how many bytes of `in` were
    // converted, which is less than its size only when a byte cannot be (or the last
    // character is cut short).
    std::size_t Append(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* from = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buffer[16384];
        for (;;) {
            char* to = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t result = iconv(cd_, &from, &left, &to, &room);
            out.append(buffer, static_cast<std::size_t>(to - buffer));
            if (result != static_cast<std::size_t>(-1) || errno != E2BIG) break;
        }
        return in.size() - left;
    }

  private:
    iconv_t cd_;
};

namespace {

// How many bytes the character that begins with `lead` (not ASCII) takes, as far as the shape
// of the encoding tells; iconv judges whether it is a character at all.
using CharacterLength = std::size_t (*)(unsigned char lead);

std::size_t Utf8Length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}
std::size_t Cp932Length(unsigned char lead) {
    return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
}
std::size_t EucJpLength(unsigned char lead) {
    return lead == 0x8F ? 3 : (lead == 0x8E || lead >= 0xA1) ? 2 : 1;
}
std::size_t SingleByteLength(unsigned char) {
    return 1;
}

CharacterLength LengthIn(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return Utf8Length;
        case TextEncoding::Cp932:
            return Cp932Length;
        case TextEncoding::EucJp:
            return EucJpLength;
    }
    return SingleByteLength;
}

// The end of the stretch from `i` (not ASCII) that should go to iconv in one call: up to the
// next ASCII run long enough to copy instead, or the end. The walk goes character by character
// so that a trail byte in the ASCII range is never taken for a run.
std::size_t ConvertibleSpanEnd(std::string_view bytes, std::size_t i, CharacterLength length) {
    while (i < bytes.size()) {
        if (IsAscii(ByteAt(bytes, i))) {
            const std::size_t runEnd = AsciiRunEnd(bytes, i);
            if (runEnd - i >= AsciiRunWorthSkipping || runEnd == bytes.size()) return i;
            i = runEnd;
        } else {
            i += length(ByteAt(bytes, i));
        }
    }
    return std::min(i, bytes.size());
}

// Converts `bytes`, whose characters have the lengths `length` tells, through `converter`,
// copying long ASCII runs as they are: every encoding here writes ASCII as ASCII. Answers how
// many bytes were converted: the size, or the offset of the first one that could not be.
std::size_t ConvertSkippingAscii(std::string_view bytes, CharacterLength length,
                                 IconvConverter& converter, std::string& out) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t asciiEnd = AsciiRunEnd(bytes, i);
        out.append(bytes.substr(i, asciiEnd - i));
        i = asciiEnd;
        if (i == bytes.size()) break;
        const std::size_t spanEnd = ConvertibleSpanEnd(bytes, i, length);
        const std::size_t converted = converter.Append(bytes.substr(i, spanEnd - i), out);
        if (converted < spanEnd - i) return i + converted;
        i = spanEnd;
    }
    return bytes.size();
}

DecodedText DecodedAs(TextEncoding encoding, std::string text, std::size_t stoppedAt,
                      std::size_t size) {
    DecodedText decoded;
    decoded.encoding = encoding;
    if (stoppedAt < size) decoded.failure = DecodeFailure{stoppedAt, PositionAfter(text)};
    decoded.text = std::move(text);
    return decoded;
}

bool IsJapaneseCharacter(char32_t c) {
    return (c >= 0x3000 && c <= 0x30FF) ||  // CJK punctuation, hiragana, katakana
           (c >= 0x3400 && c <= 0x4DBF) ||  // rare kanji
           (c >= 0x4E00 && c <= 0x9FFF) ||  // kanji
           (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility kanji
           (c >= 0xFF01 && c <= 0xFF60);    // full-width letters, digits and signs
}

std::size_t CountJapaneseCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(utf8, i);
        if (sequence.length == 0) return count;
        if (IsJapaneseCharacter(sequence.codePoint)) ++count;
        i += sequence.length;
    }
    return count;
}

// Code page 932 unless the bytes only make sense as EUC-JP (see DecodeToUtf8). The shape test
// spares the second decoding for nearly every Shift_JIS file: its first kana or common kanji
// is no EUC-JP.
DecodedText DecodeJapanese(std::string_view bytes) {
    DecodedText cp932 = DecodeAs(bytes, TextEncoding::Cp932);
    const std::size_t eucShapeEnd = EucJpShapeEnd(bytes);
    const std::size_t cp932End = cp932.failure ? cp932.failure->offset : bytes.size();
    if (eucShapeEnd < bytes.size() && eucShapeEnd <= cp932End) return cp932;
    DecodedText euc = DecodeAs(bytes, TextEncoding::EucJp);
    if (!cp932.failure && !euc.failure) {
        const bool clearlyMore =
            CountJapaneseCharacters(euc.text) > 2 * CountJapaneseCharacters(cp932.text);
        return clearlyMore ? euc : cp932;
    }
    const std::size_t eucEnd = euc.failure ? euc.failure->offset : bytes.size();
    return eucEnd > cp932End ? euc : cp932;
}

DecodedText ValidUtf8(std::string_view body) {
    DecodedText decoded;
    decoded.text = std::string(body);
    return decoded;
}

// The order of DecodeToUtf8: the mark, the declaration, valid UTF-8, the Japanese encodings.
DecodedText DecodeBody(std::string_view body, bool byteOrderMark,
                       std::optional<TextEncoding> declared) {
    const bool utf8 = IsUtf8(body);
    const bool otherDeclared = declared && *declared != TextEncoding::Utf8;
    if (utf8 && (byteOrderMark || !otherDeclared)) return ValidUtf8(body);
    if (otherDeclared) {
        DecodedText decoded = DecodeAs(body, *declared);
        if (!decoded.failure) return decoded;
    }
    return utf8 ? ValidUtf8(body) : DecodeJapanese(body);
}

// Characters iconv takes but would not write as themselves: the yen sign and the overline
// become a backslash and a tilde, which read back as those; the tag characters vanish.
bool IconvWouldAlter(char32_t c) {
    return c == 0x00A5 || c == 0x203E || (c >= 0xE0000 && c <= 0xE007F);
}

Unencodable RefusalAt(std::string_view text, std::size_t offset) {
    Unencodable refused;
    refused.offset = offset;
    refused.position = PositionAfter(text.substr(0, offset));
    const Utf8Sequence sequence = ReadUtf8Sequence(text, offset);
    if (sequence.length == 0) {
        refused.codePoint = 0xFFFD;
        refused.character = std::string(text.substr(offset, 1));
    } else {
        refused.codePoint = sequence.codePoint;
        refused.character = std::string(text.substr(offset, sequence.length));
    }
    return refused;
}

// The offset of the first character that is not UTF-8 or that iconv would alter; the size when
// there is none.
std::size_t FirstUnwritable(std::string_view text, TextEncoding target) {
    std::size_t i = 0;
    while (i < text.size()) {
        i = AsciiRunEnd(text, i);
        if (i == text.size()) break;
        const Utf8Sequence sequence = ReadUtf8Sequence(text, i);
        if (sequence.length == 0) return i;
        if (target != TextEncoding::Utf8 && IconvWouldAlter(sequence.codePoint)) return i;
        i += sequence.length;
    }
    return text.size();
}

}  // namespace

std::string_view EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Cp932:
            return "Shift_JIS";
        case TextEncoding::EucJp:
            return "EUC-JP";
    }
    return "UTF-8";
}

std::optional<TextEncoding> EncodingFromName(std::string_view name) {
    std::string folded;
    for (char c : name) {
        if (c == '-' || c == '_') continue;
        folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    // "UTF-8N" is what some Japanese editors call UTF-8 without a byte-order mark.
    if (folded == "utf8" || folded == "utf8n") return TextEncoding::Utf8;
    for (std::string_view alias : {"shiftjis", "sjis", "xsjis", "cp932", "ms932", "windows31j"})
        if (folded == alias) return TextEncoding::Cp932;
    for (std::string_view alias : {"eucjp", "xeucjp", "ujis", "eucjpms"})
        if (folded == alias) return TextEncoding::EucJp;
    return std::nullopt;
}

bool IsUtf8(std::string_view bytes) {
    return ValidUtf8Prefix(bytes) == bytes.size();
}

DecodedText DecodeAs(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        const std::size_t valid = ValidUtf8Prefix(bytes);
        return DecodedAs(encoding, std::string(bytes.substr(0, valid)), valid, bytes.size());
    }
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    IconvConverter converter("UTF-8", IconvName(encoding));
    const std::size_t converted = ConvertSkippingAscii(bytes, LengthIn(encoding), converter, text);
    return DecodedAs(encoding, std::move(text), converted, bytes.size());
}

DecodedText DecodeToUtf8(std::string_view bytes, std::optional<TextEncoding> declared) {
    const bool byteOrderMark = bytes.starts_with(Utf8ByteOrderMark);
    const std::size_t skipped = byteOrderMark ? Utf8ByteOrderMark.size() : 0;
    DecodedText decoded = DecodeBody(bytes.substr(skipped), byteOrderMark, declared);
    decoded.byteOrderMark = byteOrderMark;
    if (decoded.failure) decoded.failure->offset += skipped;
    return decoded;
}

DetectedEncoding DetectEncoding(std::string_view bytes, std::optional<TextEncoding> declared) {
    const DecodedText decoded = DecodeToUtf8(bytes, declared);
    return {decoded.encoding, decoded.byteOrderMark};
}

EncodedText EncodeFromUtf8(std::string_view text, TextEncoding target) {
    EncodedText encoded;
    const std::size_t unwritable = FirstUnwritable(text, target);
    if (unwritable < text.size()) {
        encoded.refused = RefusalAt(text, unwritable);
        return encoded;
    }
    if (target == TextEncoding::Utf8) {
        encoded.bytes = std::string(text);
        return encoded;
    }
    encoded.bytes.reserve(text.size());
    IconvConverter converter(IconvName(target), "UTF-8");
    const std::size_t converted = ConvertSkippingAscii(text, Utf8Length, converter, encoded.bytes);
    if (converted < text.size()) {
        encoded.bytes.clear();
        encoded.refused = RefusalAt(text, converted);
    }
    return encoded;
}

std::string RecordTextAsUtf8(std::string_view bytes) {
    if (IsUtf8(bytes)) return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    IconvConverter converter("UTF-8", Windows1252);
    // The bytes the code page leaves unassigned become the characters of the same number. They
    // end the stretches handed to iconv, so that a text full of them is still read in one pass;
    // a byte iconv refuses for any other reason is taken the same way.
    constexpr std::string_view Unassigned = "\x81\x8D\x8F\x90\x9D";
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of(Unassigned, i), bytes.size());
        i += ConvertSkippingAscii(bytes.substr(i, end - i), SingleByteLength, converter, text);
        if (i == bytes.size()) break;
        AppendUtf8(text, ByteAt(bytes, i));
        ++i;
    }
    return text;
}

std::size_t EucJpShapeEnd(std::string_view bytes) {
    const auto inRow = [&](std::size_t k) {
        return k < bytes.size() && ByteAt(bytes, k) >= 0xA1 && ByteAt(bytes, k) <= 0xFE;
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        i = AsciiRunEnd(bytes, i);
        if (i == bytes.size()) break;
        const unsigned char lead = ByteAt(bytes, i);
        if (lead == 0x8E && i + 1 < bytes.size() && ByteAt(bytes, i + 1) >= 0xA1 &&
            ByteAt(bytes, i + 1) <= 0xDF) {
            i += 2;
        } else if (lead == 0x8F && inRow(i + 1) && inRow(i + 2)) {
            i += 3;
        } else if (inRow(i) && inRow(i + 1)) {
            i += 2;
        } else {
            break;
        }
    }
    return i;
}

TextDecoder::TextDecoder(TextEncoding encoding) : encoding_(encoding) {
    if (encoding != TextEncoding::Utf8)
        converter_ = std::make_unique<IconvConverter>("UTF-8", IconvName(encoding));
}

TextDecoder::~TextDecoder() = default;

std::size_t TextDecoder::Decode(std::string_view bytes, std::string& out) {
    if (!converter_) {
        const std::size_t valid = ValidUtf8Prefix(bytes);
        out.append(bytes.substr(0, valid));
        return valid;
    }
    return ConvertSkippingAscii(bytes, LengthIn(encoding_), *converter_, out);
}
