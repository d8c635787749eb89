// The settings file as a whole: the order of a file written from scratch,
// restored values shown in their controls, and the failures of load and save.
// The values' ranges and defaults are the text model's
// (tests/models/text/TextSettingsTest); the file's reading, the INI layer's.
#include "logo/LogoPage.h"
#include "shell/ShellSteps.h"

#include <QImage>
#include <QPlainTextEdit>

namespace {

class SettingsTest : public TShellTest {
protected:
    // "[Section]" lines and the keys of "key=value" lines, in file order.
    static QStringList Names(const QByteArray& text) {
        QStringList names;
        for (const QByteArray& line : text.split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (trimmed.isEmpty())
                continue;
            names << QString::fromLatin1(trimmed.startsWith('[') ? trimmed : trimmed.left(trimmed.indexOf('=')));
        }
        return names;
    }
};

TEST_F(SettingsTest, AFileWrittenFromScratchHasEveryKeyInItsOrder) {
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QString picturePath = Path(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(picture.save(picturePath, "BMP"));
    {
        auto form = MakeForm(true);
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
        UserInput::Type(ui.MemoVertNeon, QStringLiteral("one\ntwo"));
        dialogs.openAnswers.push_back(picturePath);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
        UserInput::Click(ui.ButtonLogoLoad);
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    }
    // Each section's name and keys, in file order.
    const QString expected =
        QStringLiteral("[Settings] Port Connected ActivePageIndex Left Top "
                       "[HorizNeon] Text Interval PosY FileTime File FileRead Enabled "
                       "[VertNeon] Center LinesCount Interval PosY Height FileTime File FileRead Enabled "
                       "[VertNeonLines] Line0 Line1 "
                       "[Logo] Loaded PosX PosY Width Height Proportional ShowGrid Negative Color0 Color1 Color2 "
                       "Transparent TransparentColor LevelBW TransparentColorTolerance");
    EXPECT_EQ(Names(Read(SettingsPath())), expected.split(u' '));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("LogoBitmap.bmp"))));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // The next start restores the picture with its placement.
    auto form = MakeForm(true);
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->Logo().LogoBitmap()->size(), QSize(40, 20));
    EXPECT_EQ(TWindowControls(*form).MemoVertNeon->toPlainText(), QStringLiteral("one\ntwo"));
}

// A value out of its control's range comes in at the nearer end, shown by
// the bar and its label; a picture the file says was loaded but is missing
// leaves no picture and asks nothing.
TEST_F(SettingsTest, RestoredValuesAreShownAndAMissingPictureIsNoMessage) {
    WriteSettings("[Settings]\r\nPort=COM9\r\n[HorizNeon]\r\nInterval=500\r\n[Logo]\r\nLoaded=1\r\nPosX=30\r\n");
    auto form = MakeForm(true);
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(TWindowControls(*form).ScrollBarLogoPosX->value(), 0);
    EXPECT_EQ(TWindowControls(*form).ComboBoxPort->currentText(), QStringLiteral("COM9"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(TWindowControls(*form).ScrollBarHorizNeonInterval->value(), 100);
    EXPECT_EQ(TWindowControls(*form).LabelHorizNeonInterval->text(), QStringLiteral("10.0"));
    EXPECT_EQ(form->LogLines(), Disconnected());
}

TEST_F(SettingsTest, AFolderThatCannotBeWrittenShowsOneMessageAndStillCloses) {
    // A folder below a plain file can be created by nobody, root included.
    Write(QStringLiteral("file"), QByteArray());
    {
        auto form = MakeForm(true, Path(QStringLiteral("file/settings")));
        EXPECT_TRUE(form->close());
    }
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Błąd zapisu konfiguracji.")});
}

} // namespace
