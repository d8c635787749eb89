#include "KR7.h"

#include "Wire.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

std::string HexOfFrame(const std::array<std::uint8_t, FRAME_SIZE>& frame) {
    return ToHex(std::string(frame.begin(), frame.end()));
}

} // namespace

TEST(KR7, CommandsWithoutPayloadSendOneFrame) {
    TWire wire;
    ASSERT_TRUE(wire.port.IsOpen());
    wire.kr7.ClearScreen();
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
    wire.kr7.SetMode(1);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    wire.kr7.SetMode(0);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 01 00 00 00 00 00 00 01");
    wire.kr7.StoreScreen();
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 02 00 00 00 00 00 00 02");
    wire.kr7.SetStoredMode(1);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 07 01 00 00 00 00 00 08");
    wire.kr7.SetCrossPosition(180, 72);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 00 00 B4 00 48 00 00 FC");
    wire.kr7.SetCrossPosition(359, 143);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 00 01 67 00 8F 00 00 F7");
    // Only the low 8 (mode) or 16 (x, y) bits reach the frame.
    wire.kr7.SetMode(0x101);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    wire.kr7.SetCrossPosition(0x1FFFF, -1);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 00 FF FF FF FF 00 00 FC");
}

TEST(KR7, TextAndCodesFollowTheirFrame) {
    TWire wire;
    wire.kr7.WriteText(0, 8, "abc");
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 04 00 08 03 00 00 00 0F 61 62 63");
    wire.kr7.WriteText(0, 8, "");
    wire.kr7.WriteCodes(0, 8, "");
    EXPECT_EQ(wire.pty.Take(), "");

    wire.kr7.WriteText(5, 2, Repeat(' ', 30));
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 04 05 02 1E 00 00 00 29 " + ToHex(Repeat(' ', 30)));
    wire.kr7.WriteText(1, 1, Repeat('x', 255));
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 04 01 01 FF 00 00 00 05 " + ToHex(Repeat('x', 255)));
    // Windows-1250 bytes go out as they are ("ąę").
    wire.kr7.WriteText(261, -1, "\xB9\xEA");
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 04 05 FF 02 00 00 00 0A B9 EA");

    // Codes 0 and 0xFF go out as they are, with no escaping.
    wire.kr7.WriteCodes(3, 4, FromHex("00 FF 71 72 FF 00"));
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 06 03 04 06 00 00 00 13 00 FF 71 72 FF 00");
}

TEST(KR7, PayloadsLongerThanTheLengthByteAreCut) {
    TWire wire;
    std::string text;
    for (int i = 0; i < 300; ++i)
        text.push_back(static_cast<char>('a' + i % 26));
    wire.kr7.WriteText(0, 0, text);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 04 00 00 FF 00 00 00 03 " + ToHex(text.substr(0, 255)));
    wire.kr7.WriteCodes(0, 0, Repeat('\0', 256));
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 06 00 00 FF 00 00 00 05 " + ToHex(Repeat('\0', 255)));
}

TEST(KR7, LoadGlyphSendsTheCodeAnd54Bytes) {
    TWire wire;
    std::array<std::uint8_t, 60> record{};
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(0xA0 + i);
    wire.kr7.LoadGlyph(115, record.data());
    const std::string payload(record.begin(), record.begin() + 54);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 05 73 00 00 00 00 00 78 " + ToHex(payload));
    wire.kr7.LoadGlyph(255, record.data());
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 05 FF 00 00 00 00 00 04 " + ToHex(payload));
    wire.kr7.LoadGlyph(7, nullptr);
    EXPECT_EQ(wire.pty.Take(), "");
}

TEST(KR7, EveryFrameCarriesTheSumOfItsBody) {
    TCOMSocket closed;
    TKR7 kr7(closed);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> any(-70000, 70000);
    for (int i = 0; i < 2000; ++i) {
        const int a = any(random);
        const int b = any(random);
        switch (i % 5) {
        case 0:
            kr7.SetCrossPosition(a, b);
            break;
        case 1:
            kr7.SetMode(a);
            break;
        case 2:
            kr7.WriteText(a, b, std::string(static_cast<std::size_t>(1 + (a & 0x1FF)), 'q'));
            break;
        case 3:
            kr7.WriteCodes(a, b, std::string(static_cast<std::size_t>(1 + (b & 0xFF)), '\xFF'));
            break;
        default:
            kr7.SetStoredMode(b);
            break;
        }
        const auto& f = kr7.Frame();
        unsigned sum = 0;
        for (int k = 2; k <= 8; ++k)
            sum += f[k];
        ASSERT_EQ(f[0], 0xFF) << HexOfFrame(f);
        ASSERT_EQ(f[1], 0x00) << HexOfFrame(f);
        ASSERT_LE(f[2], 7) << HexOfFrame(f);
        ASSERT_EQ(f[7], 0) << HexOfFrame(f);
        ASSERT_EQ(f[8], 0) << HexOfFrame(f);
        ASSERT_EQ(f[9], sum % 256) << HexOfFrame(f);
    }
}

TEST(KR7, NothingReachesTheWireWhileThePortIsClosed) {
    TPtyPort pty;
    TCOMSocket port;
    ASSERT_TRUE(port.SelectPort(pty.Name()));
    port.SetBaudRate(2400);
    TKR7 kr7(port);
    const std::array<std::uint8_t, 54> record{};
    kr7.SetCrossPosition(1, 2);
    kr7.SetMode(1);
    kr7.StoreScreen();
    kr7.ClearScreen();
    kr7.WriteText(0, 0, "abc");
    kr7.LoadGlyph(1, record.data());
    kr7.WriteCodes(0, 0, "abc");
    kr7.SetStoredMode(1);
    EXPECT_EQ(pty.Take(), "");

    ASSERT_TRUE(port.Open());
    kr7.ClearScreen();
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
}
