#include <gtest/gtest.h>

#include "format/textencoding.h"

TEST(Utf8, OnlyWellFormedUtf8IsTakenForUtf8) {
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
