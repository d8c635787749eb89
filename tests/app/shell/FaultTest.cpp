// Faults a user meets: the device vanishing in the middle of a transfer, the
// text files changing under the timed reads, a damaged or unwritable settings
// file, and broken pictures. Each ends quietly and leaves the window working.
#include "FakeSeams.h"
#include "IniFile.h"
#include "KR7.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>

namespace {

const std::string TEXT_MODE = "FF 00 01 01 00 00 00 00 00 02";

QStringList LogLines(const TFormKR7& form) {
    return TWindowControls(form).Memo->toPlainText().split(u'\n');
}

QByteArray Garbage(int size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

class FaultTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm(const QString& settingsDir, bool service = true) {
        auto form = MakeTestForm(settingsDir, service, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    std::unique_ptr<TFormKR7> MakeForm() { return MakeForm(dir.path()); }

    static void Connect(TFormKR7& form, const std::string& port) {
        UserInput::Type(TWindowControls(form).ComboBoxPort, QString::fromStdString(port));
        UserInput::SetChecked(TWindowControls(form).CheckBoxConnect, true);
    }
    // Clicks the tab of that page of the window.
    static void ShowPage(TFormKR7& form, QWidget* TWindowControls::*page) {
        const TWindowControls ui(form);
        UserInput::ShowPage(ui.PageControl, ui.*page);
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return file.fileName();
    }
    QString SettingsPath() const { return dir.filePath(QStringLiteral("KR7Controller.ini")); }

    // The device comes back on a fresh pseudo-terminal: reconnecting to it
    // puts the text-mode frame on its wire.
    void ExpectReconnectWorks(TFormKR7& form) {
        UserInput::SetChecked(TWindowControls(form).CheckBoxConnect, false);
        TPtyPort fresh(5);
        Connect(form, fresh.Name());
        EXPECT_TRUE(form.IsConnectChecked());
        EXPECT_EQ(fresh.TakeHex(), TEXT_MODE);
        form.Device().ClearScreen();
        EXPECT_EQ(fresh.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
        UserInput::SetChecked(TWindowControls(form).CheckBoxConnect, false);
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

// ---- The device vanishes ---------------------------------------------------

TEST_F(FaultTest, DeviceVanishingDuringGlyphUploadEndsQuietly) {
    auto form = MakeForm();
    {
        TPtyPort pty(3);
        Connect(*form, pty.Name());
        pty.Take();
        // The device goes away a quarter of the way through the 256 glyphs.
        QProgressBar* bar = TWindowControls(*form).ProgressBarSendCharsToDevice;
        TLineClock::TTime vanishedAt{};
        QObject::connect(bar, &QProgressBar::valueChanged, bar, [&](int value) {
            if (value != 64)
                return;
            pty.CloseMaster();
            vanishedAt = platform.line.now;
        });
        dialogs.okCancelAnswers = {true};
        ShowPage(*form, &TWindowControls::TabSheetService);
        UserInput::Click(TWindowControls(*form).ButtonSendCharsToDevice);
        // No wait for the bytes a vanished line will never carry (a full
        // queue: 4.3 s).
        EXPECT_LT(platform.line.now - vanishedAt, std::chrono::seconds(1));
        EXPECT_EQ(pty.MasterFd(), -1);
        EXPECT_FALSE(bar->isVisible());
        EXPECT_TRUE(form->IsConnectChecked());
        EXPECT_TRUE(dialogs.messages.isEmpty());
        // Reported as interrupted, with the glyphs written before the loss.
        const QStringList lines = LogLines(*form);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("Urządzenie odłączone: błąd wejścia-wyjścia (EIO)."));
        const QRegularExpressionMatch interrupted =
            QRegularExpression(QStringLiteral("^Cancelled after (\\d+) of 256 characters\\.$")).match(lines.last());
        ASSERT_TRUE(interrupted.hasMatch()) << lines.last().toStdString();
        EXPECT_GE(interrupted.captured(1).toInt(), 64);
        EXPECT_LT(interrupted.captured(1).toInt(), 256);
        // Another upload into the dead line ends the same way.
        dialogs.okCancelAnswers = {true};
        UserInput::Click(TWindowControls(*form).ButtonSendCharsToDevice);
    }
    ExpectReconnectWorks(*form);
}

TEST_F(FaultTest, DeviceVanishingDuringLogoProgrammingEndsQuietly) {
    auto form = MakeForm();
    {
        TPtyPort pty(3);
        Connect(*form, pty.Name());
        pty.Take();
        QProgressBar* bar = TWindowControls(*form).ProgressBarLogoProgress;
        QObject::connect(bar, &QProgressBar::valueChanged, bar, [&pty](int value) {
            if (value == 20)
                pty.CloseMaster();
        });
        TWindowControls(*form).Memo->clear();
        // Programming without a picture replaces the logo glyphs with the
        // default ones: 141 glyph records.
        ShowPage(*form, &TWindowControls::TabSheetLogo);
        UserInput::Click(TWindowControls(*form).ButtonLogoProgramClear);
        EXPECT_EQ(pty.MasterFd(), -1);
        // Reported as interrupted, never as finished.
        const QStringList lines = LogLines(*form);
        EXPECT_FALSE(lines.contains(QStringLiteral("Zakończono")));
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("Urządzenie odłączone: błąd wejścia-wyjścia (EIO)."));
        const QRegularExpressionMatch interrupted =
            QRegularExpression(QStringLiteral("^Przerwano po (\\d+) z 141 znaków\\.$")).match(lines.last());
        ASSERT_TRUE(interrupted.hasMatch()) << lines.last().toStdString();
        EXPECT_GE(interrupted.captured(1).toInt(), 20);
        EXPECT_LT(interrupted.captured(1).toInt(), 141);
        EXPECT_FALSE(bar->isVisible());
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
    ExpectReconnectWorks(*form);
}

TEST_F(FaultTest, DeviceVanishedBeforeASingleGlyphUploadIsReported) {
    auto form = MakeForm();
    {
        TPtyPort pty(3);
        Connect(*form, pty.Name());
        pty.Take();
        pty.CloseMaster();
        ShowPage(*form, &TWindowControls::TabSheetService);
        dialogs.okCancelAnswers = {true};
        UserInput::Click(form->findChild<QAbstractButton*>("ButtonSendCharToDevice"));
        const QStringList lines = LogLines(*form);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("Urządzenie odłączone: błąd wejścia-wyjścia (EIO)."));
        EXPECT_EQ(lines.last(), QStringLiteral("Cancelled after 0 of 1 characters."));
    }
    ExpectReconnectWorks(*form);
}

TEST_F(FaultTest, DeviceVanishingBetweenTickerTicksEndsQuietly) {
    auto form = MakeForm();
    {
        TPtyPort pty(3);
        Connect(*form, pty.Name());
        ShowPage(*form, &TWindowControls::TabSheetHorizNeon);
        UserInput::Type(TWindowControls(*form).EditHorizNeon, QStringLiteral("Ticker text"));
        ASSERT_TRUE(TWindowControls(*form).CheckBoxHorizNeonEnabled->isChecked());
        form->TextPages().Horiz().TimerHorizNeonTimer();
        EXPECT_FALSE(pty.Take().empty());
        pty.CloseMaster();
        for (int tick = 0; tick < 50; ++tick)
            form->TextPages().Horiz().TimerHorizNeonTimer();
        EXPECT_TRUE(form->IsConnectChecked());
        EXPECT_GE(form->TextPages().Horiz().Neon().Position, 0);
        EXPECT_LE(form->TextPages().Horiz().Neon().Position, 11 + 30);
    }
    ExpectReconnectWorks(*form);
    // The ticker still runs and shows its text.
    form->TextPages().Horiz().Neon().Reset();
    for (int tick = 0; tick < 31; ++tick)
        form->TextPages().Horiz().TimerHorizNeonTimer();
    EXPECT_EQ(form->TextPages().Horiz().Neon().Position, 31);
}

// ---- The text files change between two timed reads -------------------------

TEST_F(FaultTest, TickerFileChangesShrinksVanishesAndTurnsIntoAFolder) {
    auto form = MakeForm();
    const QString path = WriteFile(QStringLiteral("ticker.txt"), "first text\r\n");
    ShowPage(*form, &TWindowControls::TabSheetHorizNeon);
    UserInput::Type(TWindowControls(*form).EditHorizFile, path);
    UserInput::SetChecked(TWindowControls(*form).CheckBoxHorizFileRead, true);
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "first text");

    // Most of a megabyte behind a NUL byte: the text ends at the zero byte.
    WriteFile(QStringLiteral("ticker.txt"), QByteArray("second\0hidden", 13) + QByteArray(1000000, 'x'));
    form->TextPages().Horiz().TimerHorizNeonFileTimeTimer();
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "second");
    EXPECT_TRUE(TWindowControls(*form).CheckBoxHorizFileRead->isChecked());

    // Shrinks to nothing while the ticker is in the middle of the old text.
    form->TextPages().Horiz().Neon().Position = 25;
    WriteFile(QStringLiteral("ticker.txt"), "");
    form->TextPages().Horiz().TimerHorizNeonFileTimeTimer();
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "");
    form->TextPages().Horiz().TimerHorizNeonTimer();
    EXPECT_LE(form->TextPages().Horiz().Neon().Position, 30);

    // Megabytes, more than the edit holds, are refused and the old text kept.
    WriteFile(QStringLiteral("ticker.txt"), "kept");
    form->TextPages().Horiz().TimerHorizNeonFileTimeTimer();
    WriteFile(QStringLiteral("ticker.txt"), QByteArray(2 << 20, 'y'));
    form->TextPages().Horiz().TimerHorizNeonFileTimeTimer();
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "kept");
    EXPECT_FALSE(TWindowControls(*form).CheckBoxHorizFileRead->isChecked());
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Błąd otwarcia pliku: \"%1\".").arg(path)));

    // Vanishes.
    UserInput::SetChecked(TWindowControls(*form).CheckBoxHorizFileRead, true);
    ASSERT_TRUE(QFile::remove(path));
    form->TextPages().Horiz().TimerHorizNeonFileTimeTimer();
    EXPECT_FALSE(TWindowControls(*form).CheckBoxHorizFileRead->isChecked());
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Plik nie istnieje: \"%1\".").arg(path)));
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "kept");

    // Turns into a folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ticker.txt")));
    TWindowControls(*form).Memo->clear();
    form->TextPages().Horiz().TimerHorizNeonFileTimeTimer();
    EXPECT_EQ(LogLines(*form).last(), QStringLiteral("Błąd otwarcia pliku: \"%1\".").arg(path));
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "kept");
}

TEST_F(FaultTest, PagesFileChangesShrinksVanishesAndTurnsIntoAFolder) {
    auto form = MakeForm();
    const QString path = WriteFile(QStringLiteral("pages.txt"), "one\r\ntwo\rthree\nfour\r\n");
    ShowPage(*form, &TWindowControls::TabSheetVertNeon);
    UserInput::Type(TWindowControls(*form).EditVertFile, path);
    UserInput::SetChecked(TWindowControls(*form).CheckBoxVertFileRead, true);
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines, (std::vector<std::string>{"one", "two", "three", "four"}));

    // The pages are in the middle of the text when it shrinks to one line.
    form->TextPages().Vert().Neon().First = 3;
    WriteFile(QStringLiteral("pages.txt"), "only");
    form->TextPages().Vert().TimerVertNeonFileTimeTimer();
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines, (std::vector<std::string>{"only"}));
    form->TextPages().Vert().TimerVertNeonTimer();
    EXPECT_EQ(form->TextPages().Vert().Neon().First, 0);

    // Megabytes with NUL bytes: the text ends at the first zero byte.
    QByteArray big;
    for (int i = 0; i < 40000; ++i)
        big += "A line of the pages file that wraps onto a second screen row.\r\n";
    big += QByteArray("\0after", 6) + QByteArray(1 << 20, '\0');
    WriteFile(QStringLiteral("pages.txt"), big);
    form->TextPages().Vert().TimerVertNeonFileTimeTimer();
    const std::size_t pageLines = form->TextPages().Vert().Neon().Lines.size();
    EXPECT_GE(pageLines, 80000u);
    for (int tick = 0; tick < 5; ++tick)
        form->TextPages().Vert().TimerVertNeonTimer();

    // Vanishes, then turns into a folder: the last pages stay.
    ASSERT_TRUE(QFile::remove(path));
    form->TextPages().Vert().TimerVertNeonFileTimeTimer();
    EXPECT_FALSE(TWindowControls(*form).CheckBoxVertFileRead->isChecked());
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Plik nie istnieje: \"%1\".").arg(path)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pages.txt")));
    form->TextPages().Vert().TimerVertNeonFileTimeTimer();
    EXPECT_EQ(LogLines(*form).last(), QStringLiteral("Błąd otwarcia pliku: \"%1\".").arg(path));
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines.size(), pageLines);
}

// ---- The settings file -------------------------------------------------------

// A start from a settings file the program cannot use gives the first-start
// state: port COM1, page 0, not connected, ticker on, pages off, no logo.
void ExpectDefaults(TFormKR7& form) {
    const TWindowControls ui(form);
    EXPECT_EQ(ui.ComboBoxPort->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(ui.PageControl->currentIndex(), 0);
    EXPECT_FALSE(form.IsConnectChecked());
    EXPECT_FALSE(ui.CheckBoxVertNeonEnabled->isChecked());
    EXPECT_FALSE(form.Logo().LogoBitmap().has_value());
}

TEST_F(FaultTest, DamagedSettingsFilesStartWithDefaults) {
    const QByteArray full = "[Settings]\r\nPort=COM7\r\nConnected=0\r\nActivePageIndex=2\r\n"
                            "[HorizNeon]\r\nText=Hello\r\n";
    struct TCase {
        const char* name;
        QByteArray bytes;
    };
    QByteArray sections;
    for (int i = 0; i < 10000; ++i)
        sections += "[Section" + QByteArray::number(i) + "]\r\nKey=" + QByteArray::number(i) + "\r\n";
    const TCase cases[] = {
        {"truncated in the section name", full.left(4)},
        {"binary garbage", Garbage(64 << 10, 7)},
        {"binary garbage with NUL bytes", QByteArray(1000, '\0') + Garbage(1000, 8)},
        {"10,000 sections", sections},
        {"a 1 MB line", QByteArray(1 << 20, 'Q') + "\r\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(QStringLiteral("KR7Controller.ini"), c.bytes);
        auto form = MakeForm();
        ExpectDefaults(*form);
        form.reset();
        EXPECT_TRUE(dialogs.messages.isEmpty());
        // The save left a file that the next start reads back.
        EXPECT_TRUE(TIniFile(SettingsPath()).SectionExists("Logo") ||
                    TIniFile(SettingsPath()).SectionExists("VertNeon"));
    }
}

TEST_F(FaultTest, SettingsSurviveAHugeLineInsideTheirSection) {
    WriteFile(QStringLiteral("KR7Controller.ini"),
              "[Settings]\r\nPort=COM7\r\n" + QByteArray(1 << 20, 'Q') +
                  "\r\nActivePageIndex=2\r\n[HorizNeon]\r\nText=" + QByteArray(1 << 20, 'T') + "\r\n");
    auto form = MakeForm();
    EXPECT_EQ(TWindowControls(*form).ComboBoxPort->currentText(), QStringLiteral("COM7"));
    EXPECT_EQ(TWindowControls(*form).PageControl->currentIndex(), 2);
    // A value is read up to 2047 bytes.
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), std::string(2047, 'T'));
}

TEST_F(FaultTest, UnwritableSettingsFolderShowsOneMessageAndWritesNothing) {
    // A folder below a regular file can be neither read nor written, not even
    // by root.
    const QString blocker = WriteFile(QStringLiteral("not-a-folder"), "x");
    const QString settingsDir = blocker + QStringLiteral("/settings");
    auto form = MakeForm(settingsDir);
    ExpectDefaults(*form);
    form.reset();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Błąd zapisu konfiguracji.")});
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("x"));
}

TEST_F(FaultTest, SettingsFileThatIsAFolderStartsWithDefaultsAndFailsToSave) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("KR7Controller.ini")));
    auto form = MakeForm();
    ExpectDefaults(*form);
    form.reset();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Błąd zapisu konfiguracji.")});
    EXPECT_TRUE(QFileInfo(SettingsPath()).isDir());
}

TEST_F(FaultTest, SaveReplacesTheFileWholeAndAReaderNeverSeesAHalfFile) {
    auto form = MakeForm();
    ShowPage(*form, &TWindowControls::TabSheetHorizNeon);
    UserInput::Type(TWindowControls(*form).EditHorizNeon, QStringLiteral("A ticker text"));
    ShowPage(*form, &TWindowControls::TabSheetVertNeon);
    QStringList pageLines;
    for (int i = 0; i < 40; ++i)
        pageLines.push_back(QStringLiteral("Page line number %1").arg(i));
    UserInput::Type(TWindowControls(*form).MemoVertNeon, pageLines.join(u'\n'));
    form.reset();
    const QByteArray before = [this] {
        QFile f(SettingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_TRUE(before.endsWith("\r\n"));
    // Holding the old file open keeps its inode from being reused.
    QFile held(SettingsPath());
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    struct stat old {};
    ASSERT_EQ(::fstat(held.handle(), &old), 0);

    // A second start and save, watched by a reader that takes snapshots.
    std::atomic<bool> stop{false};
    std::atomic<int> snapshots{0}, torn{0};
    std::thread reader([&] {
        const std::string path = QFile::encodeName(SettingsPath()).toStdString();
        while (!stop) {
            QFile f(QString::fromStdString(path));
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = f.readAll();
            ++snapshots;
            // Every state of the file is a whole file: it starts with the
            // first section and ends with a line break.
            if (!bytes.startsWith("[Settings]\r\n") || !bytes.endsWith("\r\n"))
                ++torn;
        }
    });
    form = MakeForm();
    ShowPage(*form, &TWindowControls::TabSheetHorizNeon);
    UserInput::Type(TWindowControls(*form).EditHorizNeon, QStringLiteral("Another ticker text"));
    form.reset();
    stop = true;
    reader.join();
    EXPECT_GT(snapshots.load(), 0);
    EXPECT_EQ(torn.load(), 0);

    struct stat now {};
    ASSERT_EQ(::stat(QFile::encodeName(SettingsPath()).constData(), &now), 0);
    EXPECT_NE(now.st_ino, old.st_ino); // replaced, not rewritten in place
    EXPECT_EQ(held.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("KR7Controller.ini")});
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// ---- Pictures ------------------------------------------------------------------

QByteArray EncodedPicture(const char* format, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF336699u);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The JPEG start-of-frame marker holds the height and width as big-endian
// 16-bit numbers right after the precision byte.
QByteArray WithJpegSize(QByteArray jpeg, int width, int height) {
    for (qsizetype i = 0; i + 8 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            return jpeg;
        }
    }
    return {};
}

// The bitmap info header holds the height as a signed 32-bit number at byte 22.
QByteArray WithBmpHeight(QByteArray bmp, std::int32_t height) {
    const auto h = static_cast<std::uint32_t>(height);
    for (int i = 0; i < 4; ++i)
        bmp[22 + i] = static_cast<char>((h >> (8 * i)) & 0xFF);
    return bmp;
}

TEST_F(FaultTest, BrokenPicturesAreRefusedAndLeaveThePictureUnchanged) {
    const QByteArray jpeg = EncodedPicture("JPEG", 40, 30);
    const QByteArray bmp = EncodedPicture("BMP", 40, 30);
    ASSERT_FALSE(jpeg.isEmpty());
    ASSERT_FALSE(bmp.isEmpty());
    struct TCase {
        const char* name;
        QByteArray bytes;
    };
    const TCase cases[] = {
        {"a.jpg", jpeg.left(jpeg.size() / 2)},
        {"b.jpg", jpeg.left(2) + Garbage(jpeg.size(), 3)},
        {"c.jpeg", WithJpegSize(jpeg, 60000, 60000)},
        {"d.bmp", bmp.left(bmp.size() - 100)},
        {"e.bmp", bmp.left(14) + Garbage(200, 4)},
        {"f.bmp", WithBmpHeight(bmp, 0x7FFFFFFF)},
        {"g.bmp", WithBmpHeight(bmp, -0x7FFFFFFF - 1)},
        {"h.bmp", WithBmpHeight(bmp, -3000000)},
        {"i.bmp", jpeg}, // a JPEG named .bmp
        {"j.jpg", bmp},  // a bitmap named .jpg
        {"k.png", bmp},  // a known format under an extension that is not imported
        {"l.JPG.txt", jpeg},
        {"m.jpg", QByteArray()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(QString::fromLatin1(c.name), c.bytes);
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(0xFF00FF00u);
        EXPECT_FALSE(LoadPictureFile(image, path));
        EXPECT_EQ(image.size(), QSize(2, 2));
        EXPECT_EQ(image.pixel(1, 1), 0xFF00FF00u);
    }
    // A negative height is a top-down bitmap, and a good file under an
    // upper-case extension loads.
    QImage image;
    EXPECT_TRUE(LoadPictureFile(image, WriteFile(QStringLiteral("n.bmp"), WithBmpHeight(bmp, -30))));
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_TRUE(LoadPictureFile(image, WriteFile(QStringLiteral("o.JPEG"), jpeg)));
    EXPECT_EQ(image.size(), QSize(40, 30));
}

TEST_F(FaultTest, BrokenPictureImportLeavesTheLogoPageWorking) {
    auto form = MakeForm();
    const QByteArray jpeg = EncodedPicture("JPEG", 40, 30);
    dialogs.openAnswers = {WriteFile(QStringLiteral("huge.jpg"), WithJpegSize(jpeg, 60000, 60000)),
                           WriteFile(QStringLiteral("cut.jpg"), jpeg.left(100)),
                           WriteFile(QStringLiteral("good.jpg"), jpeg)};
    ShowPage(*form, &TWindowControls::TabSheetLogo);
    UserInput::Click(TWindowControls(*form).ButtonLogoLoad);
    UserInput::Click(TWindowControls(*form).ButtonLogoLoad);
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
    EXPECT_TRUE(TWindowControls(*form).ButtonLogoLoad->isEnabled());
    UserInput::Click(TWindowControls(*form).ButtonLogoLoad);
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->Logo().LogoBitmap()->size(), QSize(40, 30));
}

} // namespace
