#include <gtest/gtest.h>

#include <string>

#include "format/text/textencoding.h"

// The expected bytes below come from the published code charts of code page 932 and EUC-JP,
// not from the converter under test.

namespace {

// "開始日時：2024/01/01\r\n先手：羽生善治\r\n", as Shift_JIS, EUC-JP and UTF-8.
const std::string HeaderCp932 =
    "\x8A\x4A\x8E\x6E\x93\xFA\x8E\x9E\x81\x46"
    "2024/01/01\r\n"
    "\x90\xE6\x8E\xE8\x81\x46\x89\x48\x90\xB6\x91\x50\x8E\xA1\r\n";
const std::string HeaderEucJp =
    "\xB3\xAB\xBB\xCF\xC6\xFC\xBB\xFE\xA1\xA7"
    "2024/01/01\r\n"
    "\xC0\xE8\xBC\xEA\xA1\xA7\xB1\xA9\xC0\xB8\xC1\xB1\xBC\xA3\r\n";
const std::string HeaderUtf8 = "開始日時：2024/01/01\r\n先手：羽生善治\r\n";

// "まで64手で後手の勝ち" in EUC-JP: read as code page 932 it is still valid, as half-width
// katakana and two rare kanji.
const std::string SummaryEucJp =
    "\xA4\xDE\xA4\xC7"
    "64"
    "\xBC\xEA\xA4\xC7\xB8\xE5\xBC\xEA\xA4\xCE\xBE\xA1\xA4\xC1";

const std::string Bom = "\xEF\xBB\xBF";

// Where a conversion stopped: "byte 6, 2:2" for the byte at offset 6, line 2, column 2.
std::string Where(std::size_t offset, const TextPosition& position) {
    return "byte " + std::to_string(offset) + ", " + std::to_string(position.line) + ":" +
           std::to_string(position.column);
}

constexpr auto Utf8 = TextEncoding::Utf8;
constexpr auto Cp932 = TextEncoding::Cp932;
constexpr auto EucJp = TextEncoding::EucJp;

}  // namespace

TEST(TextEncoding, DecidesTheEncodingOfAFile) {
    // UTF-8 "▲７六歩", which is no code page 932 (its 0x85 begins no character there).
    const std::string moveUtf8 = "▲７六歩";
    ASSERT_TRUE(DecodeAs(moveUtf8, Cp932).failure);
    // UTF-8 "先手" is also a valid code page 932 text (three unrelated kanji).
    const std::string blackUtf8 = "先手";
    ASSERT_FALSE(DecodeAs(blackUtf8, Cp932).failure);
    // Two kanji in code page 932 whose bytes also spell two kanji in EUC-JP.
    const std::string kanjiBoth = "\xE0\xA1\xE0\xA2";
    ASSERT_FALSE(DecodeAs(kanjiBoth, EucJp).failure);
    ASSERT_FALSE(DecodeAs(SummaryEucJp, Cp932).failure);

    const struct {
        const char* what;
        std::string bytes;
        std::optional<TextEncoding> declared;
        TextEncoding encoding;
        bool byteOrderMark;
    } cases[] = {
        {"empty", "", {}, Utf8, false},
        {"pure ASCII", "V2.2\r\nN+Sente\r\n", {}, Utf8, false},
        {"pure ASCII declared Shift_JIS", "+7776FU\r\n", Cp932, Cp932, false},
        {"UTF-8", HeaderUtf8, {}, Utf8, false},
        {"UTF-8 with a byte-order mark", Bom + HeaderUtf8, {}, Utf8, true},
        {"a byte-order mark over Shift_JIS", Bom + HeaderCp932, {}, Cp932, true},
        {"a byte-order mark over a Shift_JIS declaration", Bom + blackUtf8, Cp932, Utf8, true},
        {"Shift_JIS", HeaderCp932, {}, Cp932, false},
        {"Shift_JIS declared UTF-8", HeaderCp932, Utf8, Cp932, false},
        {"UTF-8 declared Shift_JIS", moveUtf8, Cp932, Utf8, false},
        {"valid as both, declared Shift_JIS", blackUtf8, Cp932, Cp932, false},
        {"valid as both, undeclared", blackUtf8, {}, Utf8, false},
        {"EUC-JP that is no Shift_JIS", HeaderEucJp, {}, EucJp, false},
        {"EUC-JP that is also Shift_JIS", SummaryEucJp, {}, EucJp, false},
        {"EUC-JP declared", HeaderEucJp, EucJp, EucJp, false},
        {"EUC-JP declared UTF-8", HeaderEucJp, Utf8, EucJp, false},
        {"Shift_JIS declared EUC-JP", HeaderCp932, EucJp, Cp932, false},
        {"kanji in both, no more in EUC-JP", kanjiBoth, {}, Cp932, false},
        {"nothing decodes", "\x80\x80", {}, Cp932, false},
        {"EUC-JP broken at its end", HeaderEucJp + "\xFF", {}, EucJp, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DetectedEncoding detected = DetectEncoding(c.bytes, c.declared);
        EXPECT_EQ(detected.encoding, c.encoding);
        EXPECT_EQ(detected.byteOrderMark, c.byteOrderMark);
        const DecodedText decoded = DecodeToUtf8(c.bytes, c.declared);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.text.starts_with(Bom), false);
    }

    // The texts themselves, and where a file that decodes in nothing stops.
    EXPECT_EQ(DecodeToUtf8(HeaderCp932).text, HeaderUtf8);
    EXPECT_EQ(DecodeToUtf8(HeaderEucJp).text, HeaderUtf8);
    EXPECT_EQ(DecodeToUtf8(SummaryEucJp).text, "まで64手で後手の勝ち");
    EXPECT_EQ(DecodeToUtf8(Bom + HeaderUtf8).text, HeaderUtf8);
    const DecodedText broken = DecodeToUtf8(Bom + HeaderEucJp + "\xFF");
    ASSERT_TRUE(broken.failure);
    EXPECT_EQ(broken.text, HeaderUtf8);
    EXPECT_EQ(Where(broken.failure->offset, broken.failure->position),
              Where(Bom.size() + HeaderEucJp.size(), {3, 1}));
}

TEST(TextEncoding, ReadsDeclaredEncodingNames) {
    const struct {
        const char* name;
        std::optional<TextEncoding> encoding;
    } cases[] = {
        {"utf8", Utf8},      {"shift-jis", Cp932},     {"Windows-31J", Cp932},
        {"eucJP-ms", EucJp}, {"UTF-16", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodingFromName(c.name), c.encoding) << c.name;
    for (TextEncoding encoding : {Utf8, Cp932, EucJp})
        EXPECT_EQ(EncodingFromName(EncodingName(encoding)), encoding);
}

// Texts written in either form of the characters that JIS and Windows map differently read
// back in Windows' form, and what was read writes back to the very same bytes.
TEST(TextEncoding, JapaneseTextsRoundTripThroughCp932AndEucJp) {
    const struct {
        const char* written;
        std::string cp932;
        std::string eucJp;  // empty where not checked
        const char* read;
    } cases[] = {
        {"▲２二角成\r\n△同　銀",
         "\x81\xA3\x82\x51\x93\xF1\x8A\x70\x90\xAC\r\n\x81\xA2\x93\xAF\x81\x40\x8B\xE2",
         "\xA2\xA5\xA3\xB2\xC6\xF3\xB3\xD1\xC0\xAE\r\n\xA2\xA4\xC6\xB1\xA1\xA1\xB6\xE4",
         "▲２二角成\r\n△同　銀"},
        {"〜−‖¢£¬—", "\x81\x60\x81\x7C\x81\x61\x81\x91\x81\x92\x81\xCA\x81\x5C",
         "\xA1\xC1\xA1\xDD\xA1\xC2\xA1\xF1\xA1\xF2\xA2\xCC\xA1\xBD", "～－∥￠￡￢―"},
        {"～－∥￠￡￢―", "\x81\x60\x81\x7C\x81\x61\x81\x91\x81\x92\x81\xCA\x81\x5C",
         "\xA1\xC1\xA1\xDD\xA1\xC2\xA1\xF1\xA1\xF2\xA2\xCC\xA1\xBD", "～－∥￠￡￢―"},
        {"ｼｮｳｷﾞ", "\xBC\xAE\xB3\xB7\xDE", "\x8E\xBC\x8E\xAE\x8E\xB3\x8E\xB7\x8E\xDE", "ｼｮｳｷﾞ"},
        {"\\~", "\\~", "\\~", "\\~"},
        {"①髙", "\x87\x40\xFB\xFC", "", "①髙"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(EncodeFromUtf8(c.written, Cp932).bytes, c.cp932);
        EXPECT_EQ(DecodeAs(c.cp932, Cp932).text, c.read);
        EXPECT_EQ(EncodeFromUtf8(c.read, Cp932).bytes, c.cp932);
        if (c.eucJp.empty()) continue;
        EXPECT_EQ(EncodeFromUtf8(c.written, EucJp).bytes, c.eucJp);
        EXPECT_EQ(DecodeAs(c.eucJp, EucJp).text, c.read);
        EXPECT_EQ(EncodeFromUtf8(c.read, EucJp).bytes, c.eucJp);
    }
}

// Every character of code page 932 reads back as itself; only the codes that repeat another
// character (NEC's row 13, the NEC-selected IBM extensions and IBM's own row) write back as the
// code Windows prefers.
TEST(TextEncoding, EveryCp932CodeWritesBackAsTheSameCharacter) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead == 0xA0) lead = 0xE0;  // 0xA1..0xDF are half-width katakana, no lead bytes
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const DecodedText read = DecodeAs(code, Cp932);
            if (read.failure) continue;
            ++characters;
            const EncodedText written = EncodeFromUtf8(read.text, Cp932);
            ASSERT_FALSE(written.refused) << testing::PrintToString(code);
            EXPECT_EQ(DecodeAs(written.bytes, Cp932).text, read.text)
                << testing::PrintToString(code);
            if (written.bytes != code) {
                EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead == 0xFA)
                    << testing::PrintToString(code) << " -> "
                    << testing::PrintToString(written.bytes);
            }
        }
    }
    EXPECT_GT(characters, 9000);  // JIS X 0208, the extensions and the user-defined area
}

TEST(TextEncoding, RefusesWhatTheTargetCannotHold) {
    const struct {
        std::string text;
        TextEncoding target;
        char32_t refused;  // 0: written
        const char* where;
    } cases[] = {
        {"先手：森鷗外", Cp932, U'鷗', "byte 12, 1:5"},
        {"先手：森鷗外", EucJp, 0, ""},  // JIS X 0212 has it
        {"1行目\r\n2行目は☺", Cp932, U'☺', "byte 19, 2:5"},
        {"価格¥500", Cp932, U'¥', "byte 6, 1:3"},
        {"価格¥500", EucJp, U'¥', "byte 6, 1:3"},
        {"価格¥500", Utf8, 0, ""},
        {"a\rb‾", Cp932, U'‾', "byte 3, 2:2"},
        {"旗\xF3\xA0\x81\x81", Cp932, U'\U000E0041', "byte 3, 1:2"},
        {"𠮷野家", Cp932, U'𠮷', "byte 0, 1:1"},
        {"bad \xE9 byte", Utf8, U'\uFFFD', "byte 4, 1:5"},
        {"先手\xE5\x85", Cp932, U'\uFFFD', "byte 6, 1:3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const EncodedText encoded = EncodeFromUtf8(c.text, c.target);
        if (c.refused == 0) {
            EXPECT_FALSE(encoded.refused);
            EXPECT_FALSE(encoded.bytes.empty());
            continue;
        }
        ASSERT_TRUE(encoded.refused);
        EXPECT_TRUE(encoded.bytes.empty());
        EXPECT_EQ(encoded.refused->codePoint, c.refused);
        EXPECT_EQ(Where(encoded.refused->offset, encoded.refused->position), c.where);
        EXPECT_EQ(encoded.refused->character,
                  c.text.substr(encoded.refused->offset, encoded.refused->character.size()));
    }
}

TEST(TextEncoding, SaysWhereBytesStopDecoding) {
    const struct {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
        const char* where;
        std::string before;
    } cases[] = {
        {"a byte no character starts", "ab\r\n\x82\xA0\xFF", Cp932, "byte 6, 2:2", "ab\r\nあ"},
        {"a character cut short", "\x82\xA0\x82", Cp932, "byte 2, 1:2", "あ"},
        {"a line feed for a trail byte", "x\x82\nabc", Cp932, "byte 1, 1:2", "x"},
        {"an unassigned row after a long ASCII run", std::string(40, 'a') + "\x85\x40", Cp932,
         "byte 40, 1:41", std::string(40, 'a')},
        {"lines ended by CR alone", "a\rb\r\x82\xA0\x80", Cp932, "byte 6, 3:2", "a\rb\rあ"},
        {"EUC-JP cut short", "\xA4\xA2\xA4", EucJp, "byte 2, 1:2", "あ"},
        {"EUC-JP half-width prefix on ASCII", "\xA4\xA2\x8E\x41", EucJp, "byte 2, 1:2", "あ"},
        {"UTF-8 with a stray byte", "ab\ncd\xC3\x28", Utf8, "byte 5, 2:3", "ab\ncd"},
        {"UTF-8 surrogate", "x\xED\xA0\x80", Utf8, "byte 1, 1:2", "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedText decoded = DecodeAs(c.bytes, c.encoding);
        ASSERT_TRUE(decoded.failure);
        EXPECT_EQ(Where(decoded.failure->offset, decoded.failure->position), c.where);
        EXPECT_EQ(decoded.text, c.before);
    }
}

TEST(TextEncoding, OnlyWellFormedUtf8IsTakenForUtf8) {
    for (const char* malformed : {
             "\xc0\xaf",          // overlong '/'
             "\xe0\x80\xaf",      // overlong, three bytes
             "\xf0\x80\x80\xaf",  // overlong, four bytes
             "\xed\xa0\x80",      // a surrogate
             "\xf4\x90\x80\x80",  // past U+10FFFF
             "ab\xe5\xb0",        // cut off at the end
             "\xe5x\x86",         // not a continuation byte
             "\x80",              // a lone continuation byte
             "Caf\xe9",           // Windows-1252
         })
        EXPECT_FALSE(IsUtf8(malformed)) << malformed;
    for (const char* wellFormed : {"", "plain", "Caf\xc3\xa9 \xe5\xb0\x86\xe6\xa3\x8b",
                                   "\xf4\x8f\xbf\xbf", "\xef\xbf\xbd\xc2\x80"})
        EXPECT_TRUE(IsUtf8(wellFormed)) << wellFormed;
}

// Long texts go through the converter in many pieces: stretches of Japanese longer than its
// buffer, short ASCII gaps that stay with them and long ASCII runs copied past it.
TEST(TextEncoding, LongTextsConvertInPiecesWithoutLosingTheirPlace) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "▲７六歩△３四歩";
    text += "\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "   " + std::to_string(i) + " ７六歩(77)   ( 0:16/00:00:16)\r\n*良い手〜\r\n";
    for (TextEncoding encoding : {Cp932, EucJp}) {
        SCOPED_TRACE(EncodingName(encoding));
        const EncodedText encoded = EncodeFromUtf8(text, encoding);
        ASSERT_FALSE(encoded.refused);
        const DecodedText decoded = DecodeAs(encoded.bytes + "\xFF", encoding);
        ASSERT_TRUE(decoded.failure);
        EXPECT_EQ(decoded.failure->offset, encoded.bytes.size());
        EXPECT_EQ(decoded.failure->position.line, 40002);
        EXPECT_EQ(EncodeFromUtf8(decoded.text, encoding).bytes, encoded.bytes);
        EXPECT_EQ(DecodeToUtf8(encoded.bytes).encoding, encoding);
    }
}

TEST(TextEncoding, RecordTextIsUtf8ElseWindows1252) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"", ""},
        {"Club final", "Club final"},
        {"先手：羽生", "先手：羽生"},
        {"caf\xE9", "café"},
        {"\x93quoted\x94 \x80 5", "“quoted” € 5"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        {"\xC3\xA9\xE9", "Ã©é"},  // one bad byte: the whole text is Windows-1252
        {HeaderCp932.substr(0, 4), "ŠJŽn"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecordTextAsUtf8(c.bytes), c.text) << testing::PrintToString(c.bytes);

    // Every byte becomes exactly one character.
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    const std::string text = RecordTextAsUtf8(everyByte);
    ASSERT_TRUE(IsUtf8(text));
    EXPECT_EQ(CharacterColumn(text, text.size()), 257);

    // A long text of unassigned bytes and letters is read in one pass.
    std::string many;
    std::string manyText;
    for (int i = 0; i < 500000; ++i) {
        many += "\x81\xE9";
        manyText += "\u0081é";
    }
    EXPECT_EQ(RecordTextAsUtf8(many), manyText);
}
