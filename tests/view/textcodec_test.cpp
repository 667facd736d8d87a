#include <gtest/gtest.h>

#include "app/textcodec.h"

TEST(TextCodec, ValidUtf8IsReadAsUtf8) {
    EXPECT_EQ(DecodeText("Caf\xc3\xa9 \xe5\xb0\x86\xe6\xa3\x8b \xf0\x9f\x98\x80"),
              QString::fromUtf8("Café 将棋 😀"));
    EXPECT_EQ(DecodeText(""), QString());
    EXPECT_EQ(DecodeText(std::string("a\0b", 3)), QString(QChar(u'a')) + QChar(0) + QChar(u'b'));
}

TEST(TextCodec, AnythingElseIsWindows1252) {
    // One stray byte is enough to read the whole text in the older character set.
    EXPECT_EQ(DecodeText("Caf\xe9 \x80 \x93x\x94 \x9f"), QString::fromUtf8("Café € “x” Ÿ"));
    // The five unassigned bytes show as the control characters of the same number.
    const QString unassigned = DecodeText("\x81\x8d\x8f\x90\x9d");
    ASSERT_EQ(unassigned.size(), 5);
    EXPECT_EQ(unassigned[0].unicode(), 0x81);
    EXPECT_EQ(unassigned[1].unicode(), 0x8D);
    EXPECT_EQ(unassigned[2].unicode(), 0x8F);
    EXPECT_EQ(unassigned[3].unicode(), 0x90);
    EXPECT_EQ(unassigned[4].unicode(), 0x9D);
    EXPECT_EQ(DecodeText("\xa0\xff").at(0).unicode(), 0xA0);
    EXPECT_EQ(DecodeText("\xa0\xff").at(1).unicode(), 0xFF);
}

TEST(TextCodec, MalformedUtf8IsNotTakenForUtf8) {
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));             // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xe0\x80\xaf"));         // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));         // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));     // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("ab\xe5\xb0"));           // cut off at the end
    EXPECT_FALSE(IsValidUtf8("\xe5x\x86"));            // not a continuation byte
    EXPECT_FALSE(IsValidUtf8("\x80"));                 // a lone continuation byte
    EXPECT_TRUE(IsValidUtf8("\xf4\x8f\xbf\xbf"));      // U+10FFFF itself
    EXPECT_TRUE(IsValidUtf8("\xef\xbf\xbd\xc2\x80"));  // U+FFFD and U+0080
    EXPECT_EQ(DecodeText("\xc0\xaf"), QString::fromUtf8("À¯"));
}

TEST(TextCodec, TypedTextIsStoredAsUtf8) {
    EXPECT_EQ(EncodeText(QString::fromUtf8("Café 将棋")), "Caf\xc3\xa9 \xe5\xb0\x86\xe6\xa3\x8b");
    // A text read in the older character set and typed into comes back as UTF-8.
    EXPECT_EQ(EncodeText(DecodeText("Caf\xe9") + QChar(u'!')), "Caf\xc3\xa9!");
}

TEST(TextCodec, CommentLineEndsShowAsLineBreaksAndAreStoredAsCrLf) {
    EXPECT_EQ(DecodeComment("one\r\ntwo\nthree\rfour\r\n\r\n"),
              QStringLiteral("one\ntwo\nthree\nfour\n\n"));
    EXPECT_EQ(EncodeComment(QStringLiteral("one\ntwo\n\nthree")), "one\r\ntwo\r\n\r\nthree");
    EXPECT_EQ(EncodeComment(QStringLiteral("a\r\nb\rc")), "a\r\nb\r\nc");
    EXPECT_EQ(EncodeComment(QString()), "");
}
