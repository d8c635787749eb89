// Faults a user meets: the device vanishing in the middle of a transfer, the
// text files changing under the timed reads, a damaged or unwritable settings
// file. Each ends quietly and leaves the window working. What the readers
// underneath make of damaged input is tested on them: the text engine in
// tests/models/text, the settings file in IniFileTest, pictures in
// PictureFileTest and the window's import in LogoImportTest.
#include "IniFile.h"
#include "KR7.h"
#include "logo/LogoPage.h"
#include "text/TextSteps.h"

#include <QDir>
#include <QProgressBar>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>

namespace {

const std::string TEXT_MODE = "FF 00 01 01 00 00 00 00 00 02";

QByteArray Garbage(int size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

class FaultTest : public TTextWindowTest {
protected:
    FaultTest() { service = true; }

    // Clicks the tab of that page of the window.
    static void ShowPage(TFormKR7& form, QWidget* TWindowControls::*page) {
        const TWindowControls ui(form);
        UserInput::ShowPage(ui.PageControl, ui.*page);
    }

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

// What a read takes and refuses (zero bytes, limits, folders) is the text
// engine's (FeatureFileTest, BoundedReadTest), and so is a text shrinking
// under the ticker or the pages (NeonTest). The window follows the file,
// and when it goes keeps the last text, says why and stops reading.
TEST_F(FaultTest, TextFilesThatChangeVanishOrTurnIntoFoldersBetweenTimedReads) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    TTextPages& pages = form->TextPages();
    const auto joined = [](const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\r\n") + line;
        return text;
    };
    const struct {
        const TFeatureFileControls& controls;
        std::function<void()> timedRead;
        std::function<std::string()> text;
    } features[] = {
        {TICKER_FILE, [&] { pages.Horiz().TimerHorizNeonFileTimeTimer(); },
         [&] { return pages.Horiz().Neon().GetText(); }},
        {PAGES_FILE, [&] { pages.Vert().TimerVertNeonFileTimeTimer(); },
         [&] { return joined(pages.Vert().Neon().Lines); }},
    };
    for (const auto& feature : features) {
        SCOPED_TRACE(feature.controls.feature);
        const QString name = QString::fromLatin1(feature.controls.feature) + QStringLiteral(".txt");
        const QString path = WriteFile(name, "first text\r\n");
        ReadFile(ui, feature.controls, path);
        EXPECT_EQ(feature.text(), "first text");

        WriteFile(name, "second\rthird");
        feature.timedRead();
        EXPECT_EQ(feature.text(), "second\r\nthird");

        ASSERT_TRUE(QFile::remove(path));
        feature.timedRead();
        EXPECT_EQ(LogLines(*form).last(), QStringLiteral("Plik nie istnieje: \"%1\".").arg(path));
        EXPECT_FALSE((ui.*feature.controls.read)->isChecked());
        EXPECT_FALSE(Timer(*form, feature.controls.readTimer)->isActive());
        EXPECT_EQ(feature.text(), "second\r\nthird");

        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
        UserInput::SetChecked(ui.*feature.controls.read, true);
        EXPECT_EQ(LogLines(*form).last(), QStringLiteral("Błąd otwarcia pliku: \"%1\".").arg(path));
        EXPECT_FALSE((ui.*feature.controls.read)->isChecked());
        EXPECT_EQ(feature.text(), "second\r\nthird");
    }
}

// Megabytes of pages, up to a zero byte and a megabyte of zeros after it,
// fill the editor and the pages without harm.
TEST_F(FaultTest, AMultiMegabytePagesFileFillsThePages) {
    auto form = MakeForm();
    QByteArray big;
    for (int i = 0; i < 40000; ++i)
        big += "A line of the pages file that wraps onto a second screen row.\r\n";
    big += QByteArray("\0after", 6) + QByteArray(1 << 20, '\0');
    ReadFile(TWindowControls(*form), PAGES_FILE, WriteFile(QStringLiteral("pages.txt"), big));
    EXPECT_GE(form->TextPages().Vert().Neon().Lines.size(), 80000u);
    for (int tick = 0; tick < 5; ++tick)
        form->TextPages().Vert().TimerVertNeonTimer();
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
    struct TCase {
        const char* name;
        QByteArray bytes;
    };
    // Garbage, huge lines and thousands of sections are IniFileTest's; the
    // window starts from whatever the file layer makes of them.
    const TCase cases[] = {
        {"truncated in the section name", QByteArray("[Set")},
        {"binary garbage with NUL bytes", QByteArray(1000, '\0') + Garbage(1000, 8)},
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

TEST_F(FaultTest, UnusableSettingsLocationsShowOneMessageAndWriteNothing) {
    // A folder below a regular file can be neither read nor written, not even
    // by root; a settings file that is a folder cannot be replaced.
    const QString blocker = WriteFile(QStringLiteral("not-a-folder"), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("KR7Controller.ini")));
    for (const QString& settingsDir : {blocker + QStringLiteral("/settings"), dir.path()}) {
        SCOPED_TRACE(settingsDir.toStdString());
        dialogs.messages.clear();
        auto form = MakeForm(settingsDir);
        ExpectDefaults(*form);
        form.reset();
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Błąd zapisu konfiguracji.")});
    }
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("x"));
    EXPECT_TRUE(QFileInfo(SettingsPath()).isDir());
}

// Whether a save is atomic is IniFileTest's; the window saves through it:
// the file is replaced whole, never rewritten in place.
TEST_F(FaultTest, SaveReplacesTheFileWhole) {
    auto form = MakeForm();
    ShowPage(*form, &TWindowControls::TabSheetHorizNeon);
    UserInput::Type(TWindowControls(*form).EditHorizNeon, QStringLiteral("A ticker text"));
    form.reset();
    const QByteArray before = SettingsText();
    ASSERT_TRUE(before.endsWith("\r\n"));
    // Holding the old file open keeps its inode from being reused.
    QFile held(SettingsPath());
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    struct stat old {};
    ASSERT_EQ(::fstat(held.handle(), &old), 0);

    form = MakeForm();
    ShowPage(*form, &TWindowControls::TabSheetHorizNeon);
    UserInput::Type(TWindowControls(*form).EditHorizNeon, QStringLiteral("Another ticker text"));
    form.reset();

    struct stat now {};
    ASSERT_EQ(::stat(QFile::encodeName(SettingsPath()).constData(), &now), 0);
    EXPECT_NE(now.st_ino, old.st_ino);
    EXPECT_EQ(held.readAll(), before);
    EXPECT_TRUE(SettingsText().contains("Text=Another ticker text\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("KR7Controller.ini")});
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
