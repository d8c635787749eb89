// kr7ctl beside the window: the logo kr7ctl programs against the one the
// Logo page programs for the same picture and settings (both run the same
// logo document), and the glyph sets loaded and sent from the service page,
// each compared byte for byte with kr7ctl's dry run.
#include "Kr7ctlWindow.h"

#include "Glyphs.h"
#include "MemoryStream.h"
#include "PictureFile.h"
#include "Protocol.h"

#include <QColor>
#include <QImage>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Kr7ctlLogoWindowTest : public Kr7ctlWindowFixture {
protected:
    void SetUp() override {
        OpenWindow(false);
        UserInput::ShowPage(TWindowControls(*form).PageControl, TWindowControls(*form).TabSheetLogo);
    }
};

// A 150 x 60 picture in a fresh window is centred at x 105-254, y 114-173;
// kr7ctl with the window's background colour puts it in the same place.
TEST_F(Kr7ctlLogoWindowTest, AFreshWindowAndKr7ctlWithItsBackgroundProgramTheSameLogo) {
    QImage picture(150, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 150; ++x)
            picture.setPixel(x, y, (x / 7 + y / 5) % 2 ? qRgb(250, 250, 250) : qRgb(10, 20, 30));
    const std::string path = File("picture.bmp");
    ASSERT_TRUE(SaveBmp32File(picture, QString::fromStdString(path)));

    TWindowControls ui(*form);
    dialogs.openAnswers.push_back(QString::fromStdString(path));
    UserInput::Click(ui.ButtonLogoLoad);
    EXPECT_EQ(ui.LabelLogoPosX->text(), QStringLiteral("105"));
    EXPECT_EQ(ui.LabelLogoPosY->text(), QStringLiteral("114"));
    UserInput::Click(ui.ButtonLogoCalculate);
    const std::string expected = DryRunHex({"logo", path, "--background", "00FF00", "--tolerance", "100", "--program"});
    EXPECT_EQ(expected.substr(90, 20), "FF 00 06 08 06 0E 00"); // the first row at column 8, row 6, 14 codes
    EXPECT_EQ(ClickHex(ui.ButtonLogoProgram, expected), expected);
    EXPECT_EQ(form->LogLines().last(), QStringLiteral("Zakończono"));
}

TEST_F(Kr7ctlLogoWindowTest, RemovalIsTheWindowsUsun) {
    TWindowControls ui(*form);
    ASSERT_TRUE(ui.ButtonLogoProgramClear->isVisible()); // no picture on the page
    const std::string expected = DryRunHex({"logo", "--remove"});
    EXPECT_EQ(expected.size(), (4 * 10 + 141 * 64) * 3 - 1);
    EXPECT_EQ(ClickHex(ui.ButtonLogoProgramClear, expected), expected);
}

// A glyph set unlike the default one: a few glyphs drawn over in colours
// that are not the three levels, so that the conversion to records is
// exercised as well.
QImage ChangedSet(const QImage& defaults) {
    QImage set = defaults.convertToFormat(QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(200, 30, 30), qRgb(90, 90, 90), qRgb(250, 250, 240), qRgb(0, 0, 0)};
    for (const int code : {0, 65, 115, 200, 255}) {
        const QPoint origin = GlyphOrigin(code);
        for (int y = 0; y < GLYPH_HEIGHT; ++y)
            for (int x = 0; x < GLYPH_WIDTH; ++x)
                set.setPixel(origin.x() + x, origin.y() + y, colours[(x * 3 + y * 5 + code) % 4]);
    }
    return set;
}

class Kr7ctlGlyphWindowTest : public Kr7ctlWindowFixture {
protected:
    void SetUp() override {
        OpenWindow(true);
        TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
        set = ChangedSet(form->DefaultChars());
    }

    QPushButton* Button(const char* name) const {
        auto* button = form->findChild<QPushButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }

    // A glyph set file loaded with the page's "Load" button of its kind.
    void LoadInTheWindow(const char* button, const std::string& file, const QString& logged) {
        dialogs.openAnswers.push_back(QString::fromStdString(file));
        UserInput::Click(Button(button));
        ASSERT_EQ(form->LogLines().last(), logged);
    }

    // "Send" for the whole set, confirmed, sends what kr7ctl glyphs FILE prints
    // once the upload has ended.
    void ExpectWholeSetAsKr7ctl(const std::string& file) {
        const std::string expected = DryRunHex({"glyphs", file});
        EXPECT_EQ(expected.size(), 16384u * 3 - 1); // 256 glyphs of 64 bytes
        QProgressBar* bar = TWindowControls(*form).ProgressBarSendCharsToDevice;
        dialogs.okCancelAnswers.push_back(true);
        UserInput::Click(Button("ButtonSendCharsToDevice"));
        EXPECT_TRUE(QTest::qWaitFor([bar] { return !bar->isVisible(); }, 60000));
        EXPECT_EQ(dialogs.questions.last(), QStringLiteral("Confirm: Send actual characters to device?"));
        EXPECT_EQ(TakeHex(expected), expected);
    }

    // The single-glyph "Send" for code, chosen on the glyph map, sends what
    // kr7ctl glyph CODE FILE prints.
    void ExpectOneGlyphAsKr7ctl(int code, const std::string& file) {
        const std::string expected = DryRunHex({"glyph", std::to_string(code), file});
        QWidget* map = form->findChild<QWidget*>("ImageChars");
        ASSERT_NE(map, nullptr);
        QTest::mouseClick(map, Qt::LeftButton, {}, GlyphOrigin(code) + QPoint(5, 5));
        dialogs.okCancelAnswers.push_back(true);
        EXPECT_EQ(ClickHex(Button("ButtonSendCharToDevice"), expected), expected) << code;
        EXPECT_EQ(dialogs.questions.last(), QStringLiteral("Confirm: Send selected character to device?"));
    }

    QImage set;
};

TEST_F(Kr7ctlGlyphWindowTest, BinarySetUploadIsTheServicePagesSend) {
    TMemoryStream stream;
    WriteCharsBitmap(set, stream);
    ASSERT_EQ(stream.Size(), 13824u);
    const std::string file = WriteFile("changed.bin", QByteArray::fromStdString(stream.Bytes()));
    LoadInTheWindow("ButtonLoadFromBinaryFile", file, QStringLiteral("Binary file loaded success."));

    ExpectWholeSetAsKr7ctl(file);
    for (const int code : {0, 65, 200})
        ExpectOneGlyphAsKr7ctl(code, file);
}

TEST_F(Kr7ctlGlyphWindowTest, BitmapSetUploadIsTheServicePagesSend) {
    const std::string file = File("changed.bmp");
    ASSERT_TRUE(set.save(QString::fromStdString(file), "BMP")); // 24 bits a pixel
    LoadInTheWindow("ButtonLoadFromBitmap", file, QStringLiteral("Bitmap load success."));

    ExpectWholeSetAsKr7ctl(file);
    for (const int code : {115, 255, 1})
        ExpectOneGlyphAsKr7ctl(code, file);
    // The glyph at column 3, row 7 of the map is code 115.
    EXPECT_EQ(DryRunHex({"glyph", "115", file}).substr(0, 29), "FF 00 05 73 00 00 00 00 00 78");
}

TEST_F(Kr7ctlGlyphWindowTest, TheDefaultSetIsWhatTheWindowStartsWith) {
    const std::string file = File("default.bmp");
    ASSERT_TRUE(form->DefaultChars().save(QString::fromStdString(file), "BMP"));
    ExpectWholeSetAsKr7ctl(file);
    const std::string lines = Kr7ctl({"--dry-run", "glyphs", file}).out; // a glyph's frame and record a line
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 256);
}

} // namespace
