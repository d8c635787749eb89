// The settings file as a whole: the order of a file written from scratch,
// restored values clamped by their controls, and the failures of load and save.
#include "FakeSeams.h"
#include "IniFile.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"

#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm(const QString& folder) {
        auto form = MakeTestForm(folder, true, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    QByteArray FileText() const {
        QFile file(dir.filePath(QStringLiteral("KR7Controller.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteFile(const QByteArray& text) {
        QFile file(dir.filePath(QStringLiteral("KR7Controller.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
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

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

TEST_F(SettingsTest, AFileWrittenFromScratchHasEveryKeyInItsOrder) {
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QString picturePath = dir.filePath(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(picture.save(picturePath, "BMP"));
    {
        auto form = MakeForm(dir.path());
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
        UserInput::Type(ui.MemoVertNeon, QStringLiteral("one\ntwo"));
        dialogs.openAnswers.push_back(picturePath);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
        UserInput::Click(ui.ButtonLogoLoad);
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    }
    const QStringList expected = {"[Settings]",
                                  "Port",
                                  "Connected",
                                  "ActivePageIndex",
                                  "Left",
                                  "Top",
                                  "[HorizNeon]",
                                  "Text",
                                  "Interval",
                                  "PosY",
                                  "FileTime",
                                  "File",
                                  "FileRead",
                                  "Enabled",
                                  "[VertNeon]",
                                  "Center",
                                  "LinesCount",
                                  "Interval",
                                  "PosY",
                                  "Height",
                                  "FileTime",
                                  "File",
                                  "FileRead",
                                  "Enabled",
                                  "[VertNeonLines]",
                                  "Line0",
                                  "Line1",
                                  "[Logo]",
                                  "Loaded",
                                  "PosX",
                                  "PosY",
                                  "Width",
                                  "Height",
                                  "Proportional",
                                  "ShowGrid",
                                  "Negative",
                                  "Color0",
                                  "Color1",
                                  "Color2",
                                  "Transparent",
                                  "TransparentColor",
                                  "LevelBW",
                                  "TransparentColorTolerance"};
    EXPECT_EQ(Names(FileText()), expected);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("LogoBitmap.bmp"))));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // The next start restores the picture with its placement.
    auto form = MakeForm(dir.path());
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->Logo().LogoBitmap()->size(), QSize(40, 20));
    EXPECT_EQ(TWindowControls(*form).MemoVertNeon->toPlainText(), QStringLiteral("one\ntwo"));
}

TEST_F(SettingsTest, RestoredValuesAreClampedByTheirControls) {
    WriteFile("[HorizNeon]\r\nInterval=500\r\nPosY=-4\r\nFileTime=0x10\r\n"
              "[VertNeon]\r\nInterval=0\r\nLinesCount=-5\r\n");
    auto form = MakeForm(dir.path());
    EXPECT_EQ(TWindowControls(*form).ScrollBarHorizNeonInterval->value(), 100);
    EXPECT_EQ(TWindowControls(*form).LabelHorizNeonInterval->text(), QStringLiteral("10.0"));
    EXPECT_EQ(TWindowControls(*form).ScrollBarHorizNeonY->value(), 0);
    EXPECT_EQ(TWindowControls(*form).ScrollBarHorizFileTime->value(), 16);
    EXPECT_EQ(TWindowControls(*form).ScrollBarVertNeonInterval->value(), 1);
    EXPECT_TRUE(TWindowControls(*form).MemoVertNeon->toPlainText().isEmpty());
}

TEST_F(SettingsTest, FirstStartDefaults) {
    auto form = MakeForm(dir.path());
    const TWindowControls ui(*form);
    EXPECT_TRUE(ui.CheckBoxHorizNeonEnabled->isChecked());
    EXPECT_FALSE(ui.CheckBoxVertNeonEnabled->isChecked());
    EXPECT_EQ(form->TextPages().Horiz().Neon().PosY, 8);
    EXPECT_EQ(form->TextPages().Vert().Neon().PosY, 12);
    EXPECT_EQ(form->TextPages().Vert().Neon().Height, 3);
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->LogLines(), (QStringList{QString(), QStringLiteral("Port niepołączony.")}));
}

TEST_F(SettingsTest, LoadedPictureMissingLeavesNoPictureAndNoMessage) {
    WriteFile("[Settings]\r\nPort=COM9\r\n[Logo]\r\nLoaded=1\r\nPosX=30\r\n");
    auto form = MakeForm(dir.path());
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(TWindowControls(*form).ScrollBarLogoPosX->value(), 0);
    EXPECT_EQ(TWindowControls(*form).ComboBoxPort->currentText(), QStringLiteral("COM9"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(form->LogLines(), (QStringList{QString(), QStringLiteral("Port niepołączony.")}));
}

TEST_F(SettingsTest, AFolderThatCannotBeWrittenShowsOneMessageAndStillCloses) {
    // A folder below a plain file can be created by nobody, root included.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    {
        auto form = MakeForm(dir.filePath(QStringLiteral("file/settings")));
        EXPECT_TRUE(form->close());
    }
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Błąd zapisu konfiguracji.")});
}

} // namespace
