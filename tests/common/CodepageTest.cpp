#include "Codepage.h"

#include <QString>

#include <gtest/gtest.h>

TEST(Codepage, EveryByteRoundTrips) {
    ASSERT_TRUE(CodepageAvailable());
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = FromCp1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1250(text), all);
    // The five unassigned bytes stay distinct characters and come back.
    for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_NE(FromCp1250(one), QString("?")) << int(b);
        EXPECT_EQ(ToCp1250(FromCp1250(one)), one) << int(b);
    }
}

TEST(Codepage, PolishLettersAndTheEuro) {
    const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ€");
    const std::string bytes = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\x80";
    EXPECT_EQ(ToCp1250(letters), bytes);
    EXPECT_EQ(FromCp1250(bytes), letters);
}

TEST(Codepage, CharactersOutsideBecomeOneQuestionMarkEach) {
    EXPECT_EQ(ToCp1250(QString::fromUtf8("a中b")), "a?b");
    // A character beyond 16 bits is one character: one "?".
    EXPECT_EQ(ToCp1250(QString::fromUtf8("x😀y")), "x?y");
    // A lone half of a pair is unreadable too.
    EXPECT_EQ(ToCp1250(QString(QChar(0xD800)) + "z"), "?z");
    EXPECT_EQ(ToCp1250(QString()), "");
    EXPECT_EQ(FromCp1250(""), QString());
}
