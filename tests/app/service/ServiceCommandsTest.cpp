// The service page's device test commands, read from a pseudo-terminal. The
// frames themselves are the encoder's (tests/common/KR7Test); here each
// button sends its own.
#include "service/ServiceFixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>

namespace {

class ServiceCommandsTest : public ServiceFixture {
protected:
    void SetUp() override {
        ServiceFixture::SetUp();
        Connect(pty);
    }
    std::string Codes(int first, int count) {
        std::string out;
        for (int k = 0; k < count; ++k)
            out.push_back(char(first + k));
        return out;
    }
    TPtyPort pty{3};
};

TEST_F(ServiceCommandsTest, TestWritesAllCodesAsABlockAtColumnSeven) {
    Click("ButtonTest");
    const std::string bytes = pty.Take();
    ASSERT_EQ(bytes.size(), 16u * 26u);
    EXPECT_EQ(ToHex(bytes.substr(0, 26)),
              "FF 00 06 07 00 10 00 00 00 1D 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    for (std::size_t row = 0; row < 16; ++row) {
        ASSERT_EQ(ToHex(bytes.substr(26 * row, 5)), ToHex(FromHex("FF 00 06 07") + char(row)));
        ASSERT_EQ(bytes.substr(26 * row + 10, 16), Codes(16 * int(row), 16));
    }
    EXPECT_EQ(ToHex(bytes.substr(15 * 26, 10)), "FF 00 06 07 0F 10 00 00 00 2C");
    EXPECT_TRUE(Find<QProgressBar>("ProgressBarSendCharsToDevice")->isHidden());
    EXPECT_EQ(Find<QProgressBar>("ProgressBarSendCharsToDevice")->value(), 15);
}

TEST_F(ServiceCommandsTest, ZonesFillEveryRowWithOneCode) {
    Click("ButtonZoneTest2");
    std::string expected;
    for (int row = 0; row < 16; ++row)
        expected += FromHex("FF 00 06 00") + char(row) + FromHex("1E 00 00 00") + char(0x24 + row) +
                    std::string(30, char(0x72));
    EXPECT_EQ(ToHex(pty.Take()), ToHex(expected));
    Click("ButtonZoneTest1");
    const std::string zone1 = pty.Take();
    ASSERT_EQ(zone1.size(), 16u * 40u);
    EXPECT_EQ(zone1.substr(10, 30), std::string(30, char(0x71)));
    EXPECT_TRUE(Find<QProgressBar>("ProgressBarSendCharsToDevice")->isHidden());
}

TEST_F(ServiceCommandsTest, TypedTextGoesOutThreeWays) {
    dialogs.inputAnswers = {QStringLiteral("ABC"), QStringLiteral("ABC"), QStringLiteral("ABC")};
    Click("ButtonTextOut");
    EXPECT_EQ(pty.TakeHex(), "FF 00 04 00 08 03 00 00 00 0F 41 42 43");
    Click("ButtonCharOut");
    EXPECT_EQ(pty.TakeHex(), "FF 00 06 00 08 03 00 00 00 11 41 42 43");
    Click("ButtonCharOut2");
    EXPECT_EQ(pty.TakeHex(), "FF 00 06 00 08 03 00 00 00 11 0B 0D 0E");
    ASSERT_EQ(dialogs.inputCalls.size(), 3);
    EXPECT_EQ(dialogs.inputCalls[0], QStringLiteral("KR-7 Controller 2.0: Enter text: [abc] 255"));
    EXPECT_EQ(dialogs.inputCalls[1], QStringLiteral("KR-7 Controller 2.0: Enter text: [ABC] 255"));
}

TEST_F(ServiceCommandsTest, CancelledInputSendsNothingAndKeepsTheText) {
    dialogs.inputAnswers = {QStringLiteral("xyz"), std::nullopt, std::nullopt};
    Click("ButtonCharOut");
    pty.Take();
    Click("ButtonTextOut");
    EXPECT_EQ(pty.Take(), "");
    Click("ButtonCharOut2");
    EXPECT_EQ(dialogs.inputCalls.back(), QStringLiteral("KR-7 Controller 2.0: Enter text: [xyz] 255"));
    // An empty text is confirmed and sends nothing.
    dialogs.inputAnswers = {QString()};
    Click("ButtonTextOut");
    EXPECT_EQ(pty.Take(), "");
}

TEST_F(ServiceCommandsTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    dialogs.inputAnswers = {QStringLiteral("A€ż中😀"), std::nullopt};
    Click("ButtonTextOut");
    const std::string sent = pty.Take();
    EXPECT_EQ(ToHex(sent.substr(10)).substr(0, 11), "41 80 BF 3F");
    Click("ButtonTextOut");
    EXPECT_TRUE(dialogs.inputCalls.back().startsWith(QStringLiteral("KR-7 Controller 2.0: Enter text: [A€ż?")));
    // A text longer than the frame's length byte is cut by the encoder (tests/common/KR7Test).
}

TEST_F(ServiceCommandsTest, CrossBarsSendThePositionAtOnce) {
    EXPECT_EQ(Find<QScrollBar>("ScrollBarCrossX")->value(), 180);
    EXPECT_EQ(Find<QScrollBar>("ScrollBarCrossY")->value(), 72);
    Click("ButtonCrossShow");
    EXPECT_EQ(pty.TakeHex(), "FF 00 00 00 B4 00 48 00 00 FC");
    QTest::keyClick(Find("ScrollBarCrossX"), Qt::Key_End); // to 359
    EXPECT_EQ(pty.TakeHex(), "FF 00 00 01 67 00 48 00 00 B0");
    EXPECT_EQ(Find<QLabel>("LabelCrossX")->text(), QStringLiteral("359"));
    QTest::keyClick(Find("ScrollBarCrossY"), Qt::Key_End); // to 143
    EXPECT_EQ(pty.TakeHex(), "FF 00 00 01 67 00 8F 00 00 F7");
    EXPECT_EQ(Find<QLabel>("LabelCrossY")->text(), QStringLiteral("143"));
}

} // namespace
