// kr7ctl's logo and glyph uploads against the window's own: the same picture
// imported, placed and reduced on the Logo page by the user's input and
// programmed with its buttons, the same glyph sets loaded and sent from the
// service page, each compared byte for byte with kr7ctl's dry run.
#include "Kr7ctlWindow.h"

#include "Glyphs.h"
#include "MemoryStream.h"
#include "PictureFile.h"
#include "Protocol.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPushButton>

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr QRgb BACKGROUND = 0xFF141EC8; // (20, 30, 200)

// A picture with something for every reduction: a grey ramp, a white disc
// crossed by black bars, and a blue background that varies by a few steps,
// so that only a tolerance takes all of it.
QImage TestPicture() {
    QImage picture(200, 120, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            QRgb colour = qRgb(20 + (x + y) % 7, 30 + (x * y) % 5, 200);
            if ((x + y) % 11 == 0)
                colour = BACKGROUND;
            if (x >= 20 && x < 100 && y >= 10 && y < 110) {
                const int v = (x - 20) * 255 / 80;
                colour = qRgb(v, (v + 2 * y) % 256, (255 - v + y) % 256);
            }
            const int dx = x - 150;
            const int dy = y - 60;
            if (dx * dx + dy * dy < 35 * 35)
                colour = (y / 6) % 3 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            picture.setPixel(x, y, colour);
        }
    }
    return picture;
}

// One way of placing and reducing the picture, as the page's controls and
// kr7ctl's options both give it.
struct TLogoCase {
    int x = 0;
    int y = 0;
    int width = 200;
    int height = 120;
    const char* mode = "bw"; // bw, mosaic or mix
    int level = 50;
    bool negative = false;
    std::optional<QRgb> background;
    int tolerance = 100;
};

std::vector<std::string> LogoArgs(const std::string& picture, const TLogoCase& c) {
    std::vector<std::string> args = {"logo",     picture,
                                     "--x",      std::to_string(c.x),
                                     "--y",      std::to_string(c.y),
                                     "--width",  std::to_string(c.width),
                                     "--height", std::to_string(c.height),
                                     "--mode",   c.mode};
    if (std::string(c.mode) == "bw")
        args.insert(args.end(), {"--level", std::to_string(c.level)});
    if (c.negative)
        args.emplace_back("--negative");
    if (c.background) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "%06X", *c.background & 0xFFFFFFu);
        args.insert(args.end(), {"--background", colour, "--tolerance", std::to_string(c.tolerance)});
    }
    args.emplace_back("--program");
    return args;
}

class Kr7ctlLogoWindowTest : public Kr7ctlWindowFixture {
protected:
    void SetUp() override {
        OpenWindow(false);
        picture = Path("picture.bmp");
        ASSERT_TRUE(SaveBmp32File(TestPicture(), QString::fromStdString(picture)));
        UserInput::ShowPage(ui().PageControl, ui().TabSheetLogo);
    }

    TWindowControls ui() const { return TWindowControls(*form); }

    // "Importuj" with the picture chosen in its dialog, then the controls set
    // to the case as the user sets them.
    void PrepareInTheWindow(const TLogoCase& c) {
        TWindowControls ui(*form);
        dialogs.openAnswers.push_back(QString::fromStdString(picture));
        UserInput::Click(ui.ButtonLogoLoad);
        ASSERT_FALSE(ui.ButtonLogoLoad->isEnabled()) << form->LogLines().join('\n').toStdString(); // imported
        UserInput::SetChecked(ui.CheckBoxLogoProportional, false);
        UserInput::SetValue(ui.ScrollBarLogoWidth, c.width);
        UserInput::SetValue(ui.ScrollBarLogoHeight, c.height);
        UserInput::SetValue(ui.ScrollBarLogoPosX, c.x);
        UserInput::SetValue(ui.ScrollBarLogoPosY, c.y);
        const std::string mode = c.mode;
        UserInput::SetChecked(mode == "mix"      ? ui.RadioButtonLogoColor2
                              : mode == "mosaic" ? ui.RadioButtonLogoColor1
                                                 : ui.RadioButtonLogoColor0,
                              true);
        if (mode == "bw")
            UserInput::SetValue(ui.ScrollBarLogoLevelBW, c.level);
        UserInput::SetChecked(ui.CheckBoxLogoNegative, c.negative);
        UserInput::SetChecked(ui.CheckBoxLogoTransparentColor, c.background.has_value());
        if (!c.background)
            return;
        // A right click on the swatch opens the colour dialog.
        dialogs.colourAnswers.push_back(QColor::fromRgb(*c.background));
        QTest::mouseClick(ui.ShapeLogoTransparentColor, Qt::RightButton);
        ASSERT_EQ(dialogs.colourCalls.size(), 1u);
        UserInput::SetValue(ui.ScrollBarLogoTransparentColorTolerance, c.tolerance);
    }

    // "Generuj" in the window and kr7ctl's dry run of the same logo, within
    // one second of the clock: mixing draws its pattern from the clock's second.
    std::string GenerateBesideKr7ctl(const TLogoCase& c) {
        std::string expected;
        for (int attempt = 0; attempt < 5; ++attempt) {
            const std::time_t before = std::time(nullptr);
            UserInput::Click(ui().ButtonLogoCalculate);
            expected = DryRunHex(LogoArgs(picture, c));
            if (std::time(nullptr) == before)
                break;
        }
        return expected;
    }

    // The case prepared and programmed in the window, and what the device got.
    void ExpectWindowAndKr7ctlAgree(const TLogoCase& c) {
        PrepareInTheWindow(c);
        if (HasFatalFailure())
            return;
        const std::string expected = GenerateBesideKr7ctl(c);
        ASSERT_TRUE(form->LogLines().contains(QStringLiteral("Logo wygenerowane pomyślnie.")))
            << form->LogLines().join('\n').toStdString();
        ASSERT_TRUE(ui().ButtonLogoProgram->isEnabled());
        const std::string sent = ClickHex(ui().ButtonLogoProgram, expected);
        EXPECT_EQ(form->LogLines().last(), QStringLiteral("Zakończono"));
        EXPECT_NE(sent.find("FF 00 05 73 00 00 00 00 00 78"), std::string::npos) << "no tile was programmed";
        EXPECT_EQ(sent, expected);
        EXPECT_EQ(pty.Take(), "");
    }

    std::string picture;
};

TEST_F(Kr7ctlLogoWindowTest, BlackAndWhiteWithALevelAwayFromTheOrigin) {
    TLogoCase c;
    c.x = 37;
    c.y = 23;
    c.width = 150;
    c.height = 80;
    c.level = 45;
    ExpectWindowAndKr7ctlAgree(c);
}

TEST_F(Kr7ctlLogoWindowTest, MosaicPartlyOffTheLeftEdge) {
    TLogoCase c;
    c.x = -20;
    c.y = 100;
    c.width = 120;
    c.height = 60;
    c.mode = "mosaic";
    ExpectWindowAndKr7ctlAgree(c);
}

TEST_F(Kr7ctlLogoWindowTest, Mixing) {
    TLogoCase c;
    c.x = 60;
    c.y = 40;
    c.width = 110;
    c.height = 70;
    c.mode = "mix";
    ExpectWindowAndKr7ctlAgree(c);
}

TEST_F(Kr7ctlLogoWindowTest, NegativeAtTheOriginInItsOwnSize) {
    TLogoCase c;
    c.negative = true;
    ExpectWindowAndKr7ctlAgree(c);
}

TEST_F(Kr7ctlLogoWindowTest, BackgroundRemovedWithATolerance) {
    TLogoCase c;
    c.x = 100;
    c.y = 150;
    c.level = 60;
    c.negative = true;
    c.background = BACKGROUND;
    c.tolerance = 95;
    ExpectWindowAndKr7ctlAgree(c);
}

TEST_F(Kr7ctlLogoWindowTest, ExactBackgroundInMosaicPartlyOffTheRightEdge) {
    TLogoCase c;
    c.x = 250;
    c.y = 30;
    c.width = 180;
    c.height = 100;
    c.mode = "mosaic";
    c.background = BACKGROUND;
    ExpectWindowAndKr7ctlAgree(c);
}

TEST_F(Kr7ctlLogoWindowTest, TwoEqualCellsGiveOneTileAndOneRowOnBothSides) {
    // The whole screen lime, taken as background by the page's default
    // colour; the same cell at (5, 3) and (9, 3): white top half, background
    // bottom half, one black pixel at the bottom left.
    QImage screen(SCREEN_WIDTH, SCREEN_HEIGHT, QImage::Format_RGB32);
    screen.fill(qRgb(0, 255, 0));
    for (const int column : {5, 9}) {
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x)
                screen.setPixel(column * 12 + x, 3 * 18 + y, qRgb(255, 255, 255));
        screen.setPixel(column * 12, 3 * 18 + 17, qRgb(0, 0, 0));
    }
    picture = Path("two-cells.bmp");
    ASSERT_TRUE(SaveBmp32File(screen, QString::fromStdString(picture)));

    TWindowControls ui(*form);
    dialogs.openAnswers.push_back(QString::fromStdString(picture));
    UserInput::Click(ui.ButtonLogoLoad);
    UserInput::Click(ui.SpeedButtonLogoRestoreWidth); // the height follows
    ASSERT_EQ(ui.LabelLogoHeight->text(), QStringLiteral("288"));
    UserInput::SetValue(ui.ScrollBarLogoPosX, 0);
    UserInput::SetValue(ui.ScrollBarLogoPosY, 0);
    UserInput::Click(ui.ButtonLogoCalculate);
    ASSERT_TRUE(form->LogLines().contains(QStringLiteral("Bieżące logo wykorzystuje 1 znaków z dostępnych 141 (1%).")));

    std::string record;
    for (int i = 0; i < 9; ++i)
        record += " AA AA AA";
    for (int i = 0; i < 8; ++i)
        record += " FF FF FF";
    record += " 3F FF FF";
    const std::string expected = "FF 00 03 00 00 00 00 00 00 03 "                // clear
                                 "FF 00 01 01 00 00 00 00 00 02 "                // text mode
                                 "FF 00 07 01 00 00 00 00 00 08 "                // text mode kept
                                 "FF 00 06 05 03 05 00 00 00 13 73 00 00 00 73 " // the row at (5, 3)
                                 "FF 00 05 73 00 00 00 00 00 78" +
                                 record + " FF 00 02 00 00 00 00 00 00 02"; // the tile, then store
    const std::string sent = ClickHex(ui.ButtonLogoProgram, expected);
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(DryRunHex({"logo", picture, "--x", "0", "--y", "0", "--width", "360", "--height", "288", "--background",
                         "00FF00", "--program"}),
              expected);
}

TEST_F(Kr7ctlLogoWindowTest, RemovalIsTheWindowsUsun) {
    TWindowControls ui(*form);
    ASSERT_TRUE(ui.ButtonLogoProgramClear->isVisible()); // no picture on the page
    const std::string expected = DryRunHex({"logo", "--remove"});
    const std::string sent = ClickHex(ui.ButtonLogoProgramClear, expected);
    EXPECT_EQ(form->LogLines().last(), QStringLiteral("Zakończono"));
    EXPECT_EQ(sent.size(), (4 * 10 + 141 * 64) * 3 - 1);
    // Clear, crosshair mode, crosshair mode kept, then the default glyphs from 115 on.
    EXPECT_EQ(sent.substr(0, 3 * 34 - 1), "FF 00 03 00 00 00 00 00 00 03 FF 00 01 00 00 00 00 00 00 01 "
                                          "FF 00 07 00 00 00 00 00 00 07 FF 00 05 73");
    EXPECT_EQ(sent.substr(sent.size() - 29), "FF 00 02 00 00 00 00 00 00 02");
    EXPECT_EQ(sent, expected);
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
    const std::string file = Path("changed.bin");
    TMemoryStream stream;
    WriteCharsBitmap(set, stream);
    QFile out(QString::fromStdString(file));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(stream.Bytes().data(), static_cast<qint64>(stream.Size())), 13824);
    out.close();
    LoadInTheWindow("ButtonLoadFromBinaryFile", file, QStringLiteral("Binary file loaded success."));

    ExpectWholeSetAsKr7ctl(file);
    for (const int code : {0, 65, 200})
        ExpectOneGlyphAsKr7ctl(code, file);
}

TEST_F(Kr7ctlGlyphWindowTest, BitmapSetUploadIsTheServicePagesSend) {
    const std::string file = Path("changed.bmp");
    ASSERT_TRUE(set.save(QString::fromStdString(file), "BMP")); // 24 bits a pixel
    LoadInTheWindow("ButtonLoadFromBitmap", file, QStringLiteral("Bitmap load success."));

    ExpectWholeSetAsKr7ctl(file);
    for (const int code : {115, 255, 1})
        ExpectOneGlyphAsKr7ctl(code, file);
    // The glyph at column 3, row 7 of the map is code 115.
    EXPECT_EQ(DryRunHex({"glyph", "115", file}).substr(0, 29), "FF 00 05 73 00 00 00 00 00 78");
}

TEST_F(Kr7ctlGlyphWindowTest, TheDefaultSetIsWhatTheWindowStartsWith) {
    const std::string file = Path("default.bmp");
    ASSERT_TRUE(form->DefaultChars().save(QString::fromStdString(file), "BMP"));
    ExpectWholeSetAsKr7ctl(file);
}

} // namespace
