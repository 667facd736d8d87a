#include <gtest/gtest.h>

#include "view/textcodec.h"

TEST(TextCodec, ValidUtf8IsReadAsUtf8AndAnythingElseAsWindows1252) {
    EXPECT_EQ(DecodeText("Caf\xc3\xa9 \xe5\xb0\x86\xe6\xa3\x8b \xf0\x9f\x98\x80"),
              QString::fromUtf8("Café 将棋 😀"));
    EXPECT_EQ(DecodeText(std::string("a\0b", 3)), QString(QChar(u'a')) + QChar(0) + QChar(u'b'));
    // One stray byte is enough to read the whole text in the older character set, where the
    // five unassigned bytes show as the control characters of the same number.
    EXPECT_EQ(DecodeText("Caf\xe9 \x80 \x93x\x94 \x9f\xa0\xff"),
              QString::fromUtf8("Café € “x” Ÿ\u00a0ÿ"));
    EXPECT_EQ(DecodeText("\x81\x8d\x8f\x90\x9d"),
              QString::fromUtf16(u"\u0081\u008d\u008f\u0090\u009d"));
    EXPECT_EQ(DecodeText("\xc0\xaf"), QString::fromUtf8("À¯"));
}

TEST(TextCodec, TypedTextIsStoredAsUtf8WithCrLfLineEnds) {
    EXPECT_EQ(EncodeText(DecodeText("Caf\xe9") + QString::fromUtf8(" 将棋")),
              "Caf\xc3\xa9 \xe5\xb0\x86\xe6\xa3\x8b");
    EXPECT_EQ(DecodeComment("one\r\ntwo\nthree\rfour\r\n\r\n"),
              QStringLiteral("one\ntwo\nthree\nfour\n\n"));
    EXPECT_EQ(EncodeComment(QStringLiteral("one\ntwo\n\nthree")), "one\r\ntwo\r\n\r\nthree");
    EXPECT_EQ(EncodeComment(QStringLiteral("a\r\nb\rc")), "a\r\nb\r\nc");
}
