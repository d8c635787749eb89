// The whole chain: the real window sends through a pseudo-terminal, the
// emulated display executes what arrives, and its screen is compared with
// what the window shows.
#include "Device.h"
#include "FakeSeams.h"
#include "Glyphs.h"
#include "KR7.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "Session.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

QImage Cell(const QImage& screen, int column, int row) {
    return screen.copy(12 * column, 18 * row, 12, 18);
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = MakeTestForm(dir.path(), true, dialogs, platform);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ui.emplace(*form);
        StartEmulator();
    }

    // The emulated display, powered on from its state file.
    void StartEmulator() {
        QString notice;
        emulator = std::make_unique<TEmulatorSession>(PowerOnState(StatePath(), notice), StatePath(), 0);
    }
    QString StatePath() const { return dir.filePath("emulator/state.bin"); }

    void Connect() {
        UserInput::Type(ui->ComboBoxPort, QString::fromStdString(pty.Name()));
        UserInput::SetChecked(ui->CheckBoxConnect, true);
        ASSERT_TRUE(form->IsConnectChecked());
        Deliver();
    }
    // Everything the window has written reaches the emulated display.
    // Feeds the emulator what has reached the line; atLeast: the bytes a long
    // sequence is known to have written, which a busy machine may hand over late.
    void Deliver(std::size_t atLeast = 0) {
        emulator->Feed(pty.TakeAtLeast(atLeast));
        const auto& counters = emulator->Counters();
        EXPECT_EQ(counters.skippedBytes + counters.checksumErrors + counters.unknownCodes, 0u);
    }
    const TDeviceState& Device() const { return emulator->Device().State(); }

    TPtyPort pty{3};
    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    std::unique_ptr<TFormKR7> form;
    std::optional<TWindowControls> ui;
    std::unique_ptr<TEmulatorSession> emulator;
};

} // namespace

TEST_F(EndToEndTest, TickerRowOnTheDisplayMatchesThePreview) {
    Connect();
    UserInput::ShowPage(ui->PageControl, ui->TabSheetHorizNeon);
    UserInput::SetChecked(ui->CheckBoxHorizNeonEnabled, false);
    UserInput::Type(ui->EditHorizNeon, QStringLiteral("ABC"));
    form->TextPages().Horiz().Neon().Reset();
    UserInput::SetChecked(ui->CheckBoxHorizNeonEnabled, true);
    // the preview shows the ticker while its page is current
    UserInput::ShowPage(ui->PageControl, ui->TabSheetPreview);
    for (int tick = 0; tick < 20; ++tick)
        form->TextPages().Horiz().TimerHorizNeonTimer();
    Deliver();

    const int row = form->TextPages().Horiz().Neon().PosY;
    ASSERT_EQ(row, 8);
    ASSERT_EQ(Device().mode, MODE_TEXT);
    const QImage screen = emulator->Device().Render();
    EXPECT_EQ(screen.copy(0, 18 * row, 360, 18), form->Preview().copy(0, 18 * row, 360, 18));
    // A, B, C are codes 11, 13, 14; after 20 ticks they have moved in from the right.
    std::string codes;
    for (int column = 0; column < 30; ++column)
        codes.push_back(static_cast<char>(Device().Cell(column, row)));
    EXPECT_NE(codes.find("\x0B\x0D\x0E"), std::string::npos) << ToHex(codes);
}

TEST_F(EndToEndTest, ProgrammedLogoEqualsThePreviewAndOutlivesARestart) {
    // Two different tiles and a white cell on a lime background, which the
    // logo page removes.
    QImage picture(360, 288, QImage::Format_RGB32);
    picture.fill(0xFF00FF00);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 12; ++x) {
            picture.setPixel(60 + x, 54 + y, (x + y) % 3 == 0 ? 0xFFFFFFFF : 0xFF000000);
            if (y < 9)
                picture.setPixel(108 + x, 54 + y, 0xFFFFFFFF);
            picture.setPixel(84 + x, 72 + y, 0xFFFFFFFF);
        }
    const QString path = dir.filePath("logo.bmp");
    ASSERT_TRUE(SaveBmp32File(picture, path));
    UserInput::ShowPage(ui->PageControl, ui->TabSheetLogo);
    dialogs.openAnswers.push_back(path);
    UserInput::Click(ui->ButtonLogoLoad);
    UserInput::SetValue(ui->ScrollBarLogoWidth, 360);
    UserInput::SetValue(ui->ScrollBarLogoPosX, 0);
    UserInput::SetValue(ui->ScrollBarLogoPosY, 0);
    UserInput::Click(ui->ButtonLogoCalculate);
    // The logo as the program previews it.
    const QImage preview = form->Preview();
    const TLogoTable& table = form->Logo().LogoTable();
    ASSERT_FALSE(table.LogoRows.empty()) << ui->Memo->toPlainText().toStdString();

    Connect();
    UserInput::Click(ui->ButtonLogoProgram);
    Deliver();
    ASSERT_EQ(emulator->StoresWritten(), 1);

    auto expectLogo = [&](const TEmulatedDevice& device) {
        const QImage screen = device.Render();
        for (std::size_t r = 0; r < table.LogoRows.size(); ++r)
            for (std::size_t c = 0; c < table.LogoRows[r].size(); ++c) {
                const int column = table.LogoOrigin.column + static_cast<int>(c);
                const int row = table.LogoOrigin.row + static_cast<int>(r);
                EXPECT_EQ(Cell(screen, column, row), Cell(preview, column, row)) << "cell " << column << ", " << row;
            }
    };
    expectLogo(emulator->Device());
    EXPECT_EQ(Device().Cell(5, 3), LOGO_FIRST_CODE);

    // The display comes back with the logo after a power cycle.
    StartEmulator();
    expectLogo(emulator->Device());
}

TEST_F(EndToEndTest, RemovingTheLogoRestoresTheDefaultGlyphs) {
    // The display holds a logo's tiles from an earlier session.
    TDeviceState earlier = emulator->Device().State();
    for (int code = LOGO_FIRST_CODE; code <= 255; ++code)
        earlier.glyphs.replace(code * 54, 54, std::string(54, '\xAA'));
    emulator = std::make_unique<TEmulatorSession>(earlier, StatePath(), 0);

    Connect();
    ASSERT_FALSE(form->Logo().LogoBitmap().has_value());
    ASSERT_FALSE(ui->ButtonLogoProgramClear->isHidden());
    UserInput::ShowPage(ui->PageControl, ui->TabSheetLogo);
    UserInput::Click(ui->ButtonLogoProgramClear);
    Deliver(3 * FRAME_SIZE + (256 - LOGO_FIRST_CODE) * (FRAME_SIZE + GLYPH_RECORD_SIZE));

    const auto defaults = DefaultGlyphRecords();
    ASSERT_TRUE(defaults.has_value());
    for (int code = LOGO_FIRST_CODE; code <= 255; ++code) {
        EXPECT_EQ(Device().GlyphRecord(code), defaults->substr(code * 54, 54)) << code;
        EXPECT_EQ(
            emulator->Device().RenderGlyph(code),
            form->DefaultChars().convertToFormat(QImage::Format_RGB32).copy(QRect(GlyphOrigin(code), QSize(12, 18))))
            << code;
    }
    EXPECT_EQ(Device().mode, MODE_CROSS);
    EXPECT_EQ(Device().storedMode, MODE_CROSS);
    EXPECT_EQ(emulator->StoresWritten(), 1);
}

TEST_F(EndToEndTest, UploadedGlyphSetEqualsTheProgramsGlyphImage) {
    // Edits at every level in a few glyphs, so the upload differs from the default set.
    form->Chars().SetPixel(0, 0, LEVEL_WHITE);
    form->Chars().SetPixel(13, 1, LEVEL_BLACK);
    form->Chars().SetPixel(191, 287, LEVEL_WHITE);
    form->Chars().SetPixel(12 * 5 + 3, 18 * 7 + 4, LEVEL_GREY);
    Connect();
    dialogs.okCancelAnswers.push_back(true);
    UserInput::ShowPage(ui->PageControl, ui->TabSheetService);
    UserInput::Click(ui->ButtonSendCharsToDevice);
    Deliver(256 * (FRAME_SIZE + GLYPH_RECORD_SIZE));
    EXPECT_EQ(emulator->Counters().frames, 1u + 256u);

    for (int code = 0; code < 256; ++code)
        ASSERT_EQ(emulator->Device().RenderGlyph(code),
                  form->Chars().Image().copy(QRect(GlyphOrigin(code), QSize(12, 18))))
            << code;
    EXPECT_EQ(emulator->StoresWritten(), 0);
}
