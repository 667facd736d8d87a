#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "format/text/textlines.h"

// The character sets that record files come in, and the conversions between them and UTF-8,
// the form in which every format except ESN stores its texts. The conversions go through the
// C library's iconv; an iconv without the needed converter makes them throw std::runtime_error.
//
// Code page 932 is Windows' Shift_JIS. Where its mapping to Unicode differs from JIS (the wave
// dash, minus, double vertical line, cent, pound, not and em dash signs), decoding gives
// Windows' characters (U+FF5E, U+FF0D, U+2225, U+FFE0, U+FFE1, U+FFE2, U+2015) and encoding
// takes either form, so a text decoded from code page 932 encodes back to the same bytes. A
// character with two codes (the NEC and IBM extensions repeat some) keeps its character but is
// written with the code Windows writes. EUC-JP is read and written with the same characters
// (Windows' variant of EUC-JP, a superset of the plain one), so a record reads as the same
// text from either.
enum class TextEncoding { Utf8, Cp932, EucJp };

// The name that declares the encoding in a file: "UTF-8", "Shift_JIS" or "EUC-JP".
std::string_view EncodingName(TextEncoding encoding);

// The encoding a file's declaration names ("UTF-8", "utf8", "Shift_JIS", "SJIS", "CP932",
// "Windows-31J", "EUC-JP" and their usual spellings), ignoring case, '-' and '_'; nothing for a
// name it does not know.
std::optional<TextEncoding> EncodingFromName(std::string_view name);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF). Pure ASCII is.
bool IsUtf8(std::string_view bytes);

struct DecodeFailure {
    std::size_t offset = 0;  // of the first byte that cannot be decoded, in the bytes handed in
    TextPosition position;   // of that byte: its line, and its column in decoded characters
};

struct DecodedText {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;  // a UTF-8 byte-order mark began the bytes; it is not in `text`
    std::string text;            // UTF-8; after a failure, all that came before the bad byte
    std::optional<DecodeFailure> failure;
};

// Decodes a whole file, deciding its encoding in this order:
// 1. a UTF-8 byte-order mark, which is skipped;
// 2. the encoding the file declares, found by the caller's format;
// 3. valid UTF-8 as a whole (pure ASCII and the empty text included);
// 4. code page 932, or EUC-JP when the bytes only make sense as that: they do not decode as
//    code page 932 but do as EUC-JP, or both decode and EUC-JP gives more than twice as many
//    Japanese characters (kana, kanji, CJK punctuation and full-width letters and digits;
//    EUC-JP read as code page 932 turns mostly into half-width katakana, which do not count).
// A mark or declaration that the bytes contradict (they do not decode in that encoding) is
// overruled by the bytes. When nothing decodes, the answer is the failure of whichever of code
// page 932 and EUC-JP read further, code page 932 on a tie.
DecodedText DecodeToUtf8(std::string_view bytes, std::optional<TextEncoding> declared = {});

// The encoding DecodeToUtf8 would decide on, and whether a byte-order mark is to be skipped.
struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
};
DetectedEncoding DetectEncoding(std::string_view bytes, std::optional<TextEncoding> declared = {});

// Decodes bytes known to be in `encoding`; a byte-order mark is not treated specially.
DecodedText DecodeAs(std::string_view bytes, TextEncoding encoding);

// The mark some editors put before a UTF-8 text.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Where the bytes stop having the shape of EUC-JP: every byte above 0x7F belongs to a pair of
// bytes from 0xA1 to 0xFE, to 0x8E and a half-width katakana byte, or to 0x8F and a pair.
std::size_t EucJpShapeEnd(std::string_view bytes);

class IconvConverter;

// Decodes a text piece by piece into UTF-8, for a reader that takes its lines as they come
// instead of a copy of the whole file.
class TextDecoder {
  public:
    explicit TextDecoder(TextEncoding encoding);
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;
    ~TextDecoder();

    // Appends the UTF-8 of `bytes`, which hold whole characters, to `out`; answers how many
    // bytes were decoded: all of them, or those before the first that cannot be.
    std::size_t Decode(std::string_view bytes, std::string& out);

  private:
    TextEncoding encoding_;
    std::unique_ptr<IconvConverter> converter_;  // none for UTF-8
};

// A character the target encoding cannot hold, or (as U+FFFD) a byte of the input that is not
// UTF-8.
struct Unencodable {
    char32_t codePoint = 0;
    std::string character;   // its UTF-8 text, or the stray byte
    std::size_t offset = 0;  // of its first byte in the UTF-8 text
    TextPosition position;   // its line and column in that text
};

struct EncodedText {
    std::string bytes;  // the whole text in the target encoding; empty when refused
    std::optional<Unencodable> refused;
};

// Encodes a UTF-8 text for writing, refusing (never replacing or dropping) the first character
// the target cannot hold exactly. Besides what iconv rejects, that refuses what it would turn
// into another character or nothing: the yen sign and overline (iconv writes a backslash and a
// tilde, which read back as themselves) and the tag characters U+E0000..U+E007F (which it drops).
EncodedText EncodeFromUtf8(std::string_view text, TextEncoding target);

// An ESN record keeps its texts as the bytes of the file. As text: the bytes themselves when
// they are valid UTF-8, else Windows-1252 with its five unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) as the control characters of the same number. For showing such a text and for
// writing it into a format that stores UTF-8.
std::string RecordTextAsUtf8(std::string_view bytes);
