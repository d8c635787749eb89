#include "CharTable.h"

#include "Codepage.h"
#include "PtyPort.h"

#include <QString>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// The Windows-1250 byte of each code 1..111, row by row as the table is
// printed (sixteen codes a row, the first row starting at code 1).
constexpr const char* TABLE_ROWS[] = {
    "   31 32 33 34 35 36 37 38 39 30 41 A5 42 43 C6", // 0..15
    "44 45 CA 46 47 48 49 4A 4B 4C A3 4D 4E D1 4F D3", // 16..31
    "50 51 52 53 8C 54 55 56 57 58 59 5A AF 8F 61 B9", // 32..47
    "62 63 E6 64 65 EA 66 67 68 69 6A 6B 6C B3 6D 6E", // 48..63
    "F1 6F F3 70 71 72 73 9C 74 75 76 77 78 79 7A BF", // 64..79
    "9F 28 29 2E 3F 3B 3A 2C 27 2F 22 2D 3C 3E 40 21", // 80..95
    "23 24 25 26 2A 2B 3D 5B 5C 5D 80 5F 7B 7C 7D 7E", // 96..111
};

std::array<int, 256> ExpectedTable() {
    std::array<int, 256> table{};
    int code = 1;
    for (const char* row : TABLE_ROWS)
        for (unsigned char b : FromHex(row))
            table[b] = code++;
    return table;
}

} // namespace

TEST(CharTable, EveryByteMapsAsTheTableSays) {
    const std::array<int, 256> expected = ExpectedTable();
    int mapped = 0;
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(CharToCode(static_cast<unsigned char>(b)), expected[b]) << std::hex << b;
        mapped += expected[b] != 0;
    }
    EXPECT_EQ(mapped, 111);
}

TEST(CharTable, CharactersRunInGlyphOrder) {
    ASSERT_TRUE(CodepageAvailable());
    const QString order = QString::fromUtf8("1234567890"
                                            "AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŻŹ"
                                            "aąbcćdeęfghijklłmnńoópqrsśtuvwxyzżź"
                                            "().?;:,'/\"-<>@!#$%&*+=[\\]€_{|}~");
    const std::string bytes = ToCp1250(order);
    ASSERT_EQ(bytes.size(), 111u);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        EXPECT_EQ(CharToCode(static_cast<unsigned char>(bytes[i])), i + 1) << order.mid(i, 1).toStdString();
}

TEST(CharTable, TextBecomesCodesOfTheSameLength) {
    ASSERT_TRUE(CodepageAvailable());
    EXPECT_EQ(ToHex(TextToCodes(ToCp1250(QString::fromUtf8("Aż 1")))), "0B 4F 00 01");
    EXPECT_EQ(ToHex(TextToCodes(ToCp1250(QString::fromUtf8("Ź0")))), "2D 0A");
    EXPECT_EQ(ToHex(TextToCodes(ToCp1250(QString::fromUtf8("€")))), "6A");
    // Space, circumflex, grave accent, tab, CR, LF and other unmapped bytes give 0.
    EXPECT_EQ(ToHex(TextToCodes(" ^`\t\r\n\x7F")), "00 00 00 00 00 00 00");
    EXPECT_EQ(TextToCodes(std::string("\0\x81\x83\x88\x90", 5)), std::string(5, '\0'));
    EXPECT_EQ(TextToCodes(""), "");
    EXPECT_EQ(TextToCodes(std::string(300, 'a')), std::string(300, '\x2E'));
}

TEST(CharTable, UnassignedBytesSurviveTheRoundTripAndMapToZero) {
    ASSERT_TRUE(CodepageAvailable());
    const std::string unassigned("\x81\x83\x88\x90\x98", 5);
    const std::string back = ToCp1250(FromCp1250(unassigned));
    EXPECT_EQ(ToHex(back), "81 83 88 90 98");
    EXPECT_EQ(ToHex(TextToCodes(back)), "00 00 00 00 00");
}
