// The horizontal ticker and the vertical pages offscreen, with the device on a
// pseudo-terminal: what only the window does with the text engine's rules
// (tests/models/text): its controls, timers, log lines and the frames sent.
#include "Glyphs.h"
#include "text/TextSteps.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string ROW_7 = "FF 00 04 00 07 1E 00 00 00 29";
const std::string ROW_8 = "FF 00 04 00 08 1E 00 00 00 2A";
const std::string ROW_9 = "FF 00 04 00 09 1E 00 00 00 2B";
const std::string ROW_12 = "FF 00 04 00 0C 1E 00 00 00 2E";
const std::string ROW_13 = "FF 00 04 00 0D 1E 00 00 00 2F";
const std::string ROW_14 = "FF 00 04 00 0E 1E 00 00 00 30";
const std::string TEXT_MODE = "FF 00 01 01 00 00 00 00 00 02";
const std::string BLANK(30, ' ');

// A frame header in hex followed by the text bytes in hex.
std::string Frame(const std::string& header, const std::string& text) {
    return header + " " + ToHex(text);
}

std::string Joined(std::initializer_list<std::string> frames) {
    std::string all;
    for (const auto& f : frames)
        all += (all.empty() ? "" : " ") + f;
    return all;
}

class TextPagesTest : public TTextWindowTest {
protected:
    // A window connected to the pseudo-terminal, the connect frames discarded.
    std::unique_ptr<TFormKR7> MakeConnectedForm() {
        auto form = MakeForm();
        Connect(*form, pty.Name());
        EXPECT_TRUE(form->IsConnectChecked());
        pty.Take();
        return form;
    }
    static void ShowHorizPage(const TWindowControls& ui) { UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon); }
    static void ShowVertPage(const TWindowControls& ui) { UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon); }

    TPtyPort pty{3};
};

bool CellIsGrey(const QImage& preview, int col, int row) {
    for (int y = 0; y < GLYPH_HEIGHT; ++y)
        for (int x = 0; x < GLYPH_WIDTH; ++x)
            if ((preview.pixel(col * GLYPH_WIDTH + x, row * GLYPH_HEIGHT + y) & 0xFFFFFF) != LEVEL_GREY)
                return false;
    return true;
}

TEST_F(TextPagesTest, TickerIsOnByDefaultAndItsTimersAreDesigned) {
    auto form = MakeForm();
    EXPECT_TRUE(TWindowControls(*form).CheckBoxHorizNeonEnabled->isChecked());
    EXPECT_FALSE(TWindowControls(*form).CheckBoxVertNeonEnabled->isChecked());
    ASSERT_NE(Timer(*form, "TimerHorizNeon"), nullptr);
    EXPECT_TRUE(Timer(*form, "TimerHorizNeon")->isActive());
    EXPECT_EQ(Timer(*form, "TimerHorizNeon")->interval(), 100);
    EXPECT_FALSE(Timer(*form, "TimerVertNeon")->isActive());
    EXPECT_EQ(Timer(*form, "TimerVertNeon")->interval(), 10000);
    EXPECT_FALSE(Timer(*form, "TimerHorizNeonFileTime")->isActive());
    EXPECT_EQ(Timer(*form, "TimerHorizNeonFileTime")->interval(), 30000);
    EXPECT_EQ(Timer(*form, "TimerVertNeonFileTime")->interval(), 30000);
    EXPECT_EQ(TWindowControls(*form).LabelHorizNeonY->text(), QStringLiteral("9"));
    EXPECT_EQ(TWindowControls(*form).LabelVertNeonY->text(), QStringLiteral("13"));
    EXPECT_EQ(TWindowControls(*form).ScrollBarVertNeonY->maximum(), 13);
    EXPECT_EQ(TWindowControls(*form).ScrollBarVertNeonHeight->maximum(), 4);
}

// The windows of a cycle are the engine's (NeonTest); the page sends them on
// its row, after text mode, the first one at once.
TEST_F(TextPagesTest, TheTickerSendsItsWindowsOnRowEight) {
    auto form = MakeConnectedForm();
    const TWindowControls ui(*form);
    ShowHorizPage(ui);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("  ABC "));
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "ABC");

    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    EXPECT_EQ(pty.TakeHex(), Frame(ROW_8, BLANK));
    EXPECT_FALSE(Timer(*form, "TimerHorizNeon")->isActive());

    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, true); // shows the first window at once
    form->TextPages().Horiz().TimerHorizNeonTimer();
    form->TextPages().Horiz().TimerHorizNeonTimer();
    EXPECT_EQ(pty.TakeHex(),
              Joined({TEXT_MODE, Frame(ROW_8, BLANK), Frame(ROW_8, BLANK), Frame(ROW_8, std::string(29, ' ') + "A")}));
    EXPECT_TRUE(Timer(*form, "TimerHorizNeon")->isActive());
}

TEST_F(TextPagesTest, WithoutConnectionTheTickerRunsInThePreviewAlone) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    ASSERT_EQ(ui.PageControl->currentWidget(), ui.TabSheetPreview);
    ShowHorizPage(ui);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("W"));
    UserInput::ShowPage(ui.PageControl, ui.TabSheetPreview);
    form->TextPages().Horiz().Neon().Reset();
    form->TextPages().Horiz().TimerHorizNeonTimer();
    form->TextPages().Horiz().TimerHorizNeonTimer();
    UserInput::Click(ui.ButtonClrScr);               // "Wyczyść" clears the preview too
    form->TextPages().Horiz().TimerHorizNeonTimer(); // W in the last column
    EXPECT_FALSE(CellIsGrey(form->Preview(), 29, 8));
    EXPECT_TRUE(CellIsGrey(form->Preview(), 29, 7));
    EXPECT_TRUE(CellIsGrey(form->Preview(), 29, 9));
    EXPECT_EQ(pty.Take(), "");

    // Another page shown: the preview is left alone.
    ShowHorizPage(ui);
    form->TextPages().Horiz().Neon().Position = 2;
    form->TextPages().Horiz().TimerHorizNeonTimer();
    EXPECT_TRUE(CellIsGrey(form->Preview(), 29, 8));
}

TEST_F(TextPagesTest, MovingTheTickerRowBlanksTheOldRowFirstAndKeepsThePosition) {
    auto form = MakeConnectedForm();
    const TWindowControls ui(*form);
    ShowHorizPage(ui);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("ABC"));
    form->TextPages().Horiz().Neon().Reset();
    for (int i = 0; i < 4; ++i)
        form->TextPages().Horiz().TimerHorizNeonTimer();
    pty.Take();
    UserInput::DragTo(ui.ScrollBarHorizNeonY, 2); // in one move: only row 8 is left behind
    EXPECT_EQ(ui.LabelHorizNeonY->text(), QStringLiteral("3"));
    form->TextPages().Horiz().TimerHorizNeonTimer();
    EXPECT_EQ(pty.TakeHex(),
              Frame(ROW_8, BLANK) + " " + Frame("FF 00 04 00 02 1E 00 00 00 24", std::string(27, ' ') + "ABC"));

    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    pty.Take();
    UserInput::SetValue(ui.ScrollBarHorizNeonY, 15); // step by step, and no step writes
    EXPECT_EQ(pty.Take(), "");
    EXPECT_EQ(form->TextPages().Horiz().Neon().PosY, 15);
    EXPECT_EQ(ui.LabelHorizNeonY->text(), QStringLiteral("16"));
}

TEST_F(TextPagesTest, IntervalAndFileTimeLabels) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    ShowHorizPage(ui);
    UserInput::SetValue(ui.ScrollBarHorizNeonInterval, 100);
    EXPECT_EQ(ui.LabelHorizNeonInterval->text(), QStringLiteral("10.0"));
    EXPECT_EQ(Timer(*form, "TimerHorizNeon")->interval(), 10000);
    UserInput::SetValue(ui.ScrollBarHorizNeonInterval, 25);
    EXPECT_EQ(ui.LabelHorizNeonInterval->text(), QStringLiteral("2.5"));
    UserInput::SetValue(ui.ScrollBarHorizNeonInterval, 1);
    EXPECT_EQ(ui.LabelHorizNeonInterval->text(), QStringLiteral("0.1"));
    EXPECT_EQ(Timer(*form, "TimerHorizNeon")->interval(), 100);
    UserInput::SetValue(ui.ScrollBarHorizFileTime, 3599);
    EXPECT_EQ(ui.LabelHorizNeonFileTime->text(), QStringLiteral("59:59"));
    EXPECT_EQ(Timer(*form, "TimerHorizNeonFileTime")->interval(), 3599000);
    ShowVertPage(ui);
    UserInput::SetValue(ui.ScrollBarVertFileTime, 65);
    EXPECT_EQ(ui.LabelVertNeonFileTime->text(), QStringLiteral("01:05"));
    EXPECT_EQ(Timer(*form, "TimerVertNeonFileTime")->interval(), 65000);
    UserInput::SetValue(ui.ScrollBarVertNeonInterval, 100);
    EXPECT_EQ(ui.LabelVertNeonInterval->text(), QStringLiteral("100"));
    EXPECT_EQ(Timer(*form, "TimerVertNeon")->interval(), 100000);
}

// The page arithmetic and the padding are the engine's (NeonTest, WrapTest);
// the page sends its rows after text mode, as the centre box says.
TEST_F(TextPagesTest, PagesOnRowTwelveLeftAlignedAndCentred) {
    auto form = MakeConnectedForm();
    const TWindowControls ui(*form);
    ShowHorizPage(ui);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    ShowVertPage(ui);
    UserInput::Type(ui.MemoVertNeon, QStringLiteral("one\ntwo\n\nthree\nfour  "));
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines.size(), 4u);
    pty.Take();

    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
    auto left = [](const std::string& s) { return s + std::string(30 - s.size(), ' '); };
    EXPECT_EQ(pty.TakeHex(), Joined({TEXT_MODE, Frame(ROW_12, left("one")), Frame(ROW_13, left("two")),
                                     Frame(ROW_14, left("three"))}));
    EXPECT_TRUE(Timer(*form, "TimerVertNeon")->isActive());

    UserInput::SetChecked(ui.CheckBoxVertNeonCenter, true);
    form->TextPages().Vert().TimerVertNeonTimer(); // the last page: one line and two blank rows
    EXPECT_EQ(pty.TakeHex(), Joined({Frame(ROW_12, std::string(13, ' ') + "four" + std::string(13, ' ')),
                                     Frame(ROW_13, BLANK), Frame(ROW_14, BLANK)}));

    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, false);
    EXPECT_EQ(pty.TakeHex(), Joined({Frame(ROW_12, BLANK), Frame(ROW_13, BLANK), Frame(ROW_14, BLANK)}));
    EXPECT_FALSE(Timer(*form, "TimerVertNeon")->isActive());
}

TEST_F(TextPagesTest, WindowBarsBoundEachOtherAndMovingBlanksTheOldWindow) {
    auto form = MakeConnectedForm();
    const TWindowControls ui(*form);
    ShowHorizPage(ui);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    ShowVertPage(ui);
    UserInput::Type(ui.MemoVertNeon, QStringLiteral("a\nb\nc\nd"));
    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
    pty.Take();

    UserInput::SetValue(ui.ScrollBarVertNeonY, 13); // one step
    EXPECT_EQ(pty.TakeHex(), Joined({Frame(ROW_12, BLANK), Frame(ROW_13, BLANK), Frame(ROW_14, BLANK)}));
    EXPECT_EQ(ui.ScrollBarVertNeonHeight->maximum(), 3);
    EXPECT_EQ(ui.LabelVertNeonY->text(), QStringLiteral("14"));
    EXPECT_EQ(form->TextPages().Vert().Neon().First, 3); // not restarted

    UserInput::SetValue(ui.ScrollBarVertNeonY, 0);
    pty.Take();
    UserInput::DragTo(ui.ScrollBarVertNeonHeight, 16); // in one move: only rows 0..2 are left behind
    EXPECT_EQ(ui.ScrollBarVertNeonY->maximum(), 0);
    EXPECT_EQ(ui.LabelVertNeonHeight->text(), QStringLiteral("16"));
    EXPECT_EQ(pty.TakeHex(),
              Joined({Frame("FF 00 04 00 00 1E 00 00 00 22", BLANK), Frame("FF 00 04 00 01 1E 00 00 00 23", BLANK),
                      Frame("FF 00 04 00 02 1E 00 00 00 24", BLANK)}));

    // Switched off, moving the bars writes nothing.
    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, false);
    pty.Take();
    UserInput::SetValue(ui.ScrollBarVertNeonHeight, 1);
    UserInput::SetValue(ui.ScrollBarVertNeonY, 15);
    EXPECT_EQ(pty.Take(), "");
    EXPECT_EQ(form->TextPages().Vert().Neon().PosY, 15);
    EXPECT_EQ(form->TextPages().Vert().Neon().Height, 1);
}

// What a read gives is the engine's (FeatureFileTest), its failures too; the
// window shows the text in the page's editor, logs a failure in the page's
// words and keeps the read box, its timer and the last-read label in step.
// Files changing between timed reads: FaultTest.
TEST_F(TextPagesTest, FileReadsFillTheEditorsAndFollowTheirBoxes) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    ShowHorizPage(ui);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("keep"));
    ui.Memo->clear();
    UserInput::SetChecked(ui.CheckBoxHorizFileRead, true);
    EXPECT_EQ(LogLines(*form).last(), QStringLiteral("Nie wskazano pliku dla teletekstu poziomego."));
    EXPECT_FALSE(ui.CheckBoxHorizFileRead->isChecked());
    EXPECT_FALSE(Timer(*form, "TimerHorizNeonFileTime")->isActive());
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "keep");
    EXPECT_TRUE(ui.LabelHorizNeonLastTime->text().isEmpty());
    ShowVertPage(ui);
    UserInput::SetChecked(ui.CheckBoxVertFileRead, true);
    EXPECT_EQ(LogLines(*form).last(), QStringLiteral("Nie wskazano pliku dla teletekstu pionowego."));
    EXPECT_FALSE(ui.CheckBoxVertFileRead->isChecked());

    ReadFile(ui, TICKER_FILE, WriteFile(QStringLiteral("ticker.txt"), QByteArray("\xA5 x\rB\0C", 7)));
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "\xA5 x\r\nB");
    EXPECT_EQ(ui.EditHorizNeon->text(), QStringLiteral("Ą x\r\nB\r\n"));
    EXPECT_TRUE(ui.CheckBoxHorizFileRead->isChecked());
    EXPECT_TRUE(Timer(*form, "TimerHorizNeonFileTime")->isActive());
    EXPECT_TRUE(ui.LabelHorizNeonLastTime->text().startsWith(QStringLiteral("Ostatnio odczytany: ")));
    EXPECT_TRUE(
        ui.LabelHorizNeonLastTime->text().contains(QLocale().toString(platform.now.date(), QLocale::ShortFormat)));

    ReadFile(ui, PAGES_FILE,
             WriteFile(QStringLiteral("pages.txt"), QByteArray("first\r\n\r\nsecond\rthird\n") + QByteArray(40, 'x')));
    EXPECT_EQ(ui.MemoVertNeon->toPlainText(), QStringLiteral("first\n\nsecond\nthird\n") + QString(40, u'x'));
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines,
              (std::vector<std::string>{"first", "second", "third", std::string(40, 'x')}));
    EXPECT_TRUE(Timer(*form, "TimerVertNeonFileTime")->isActive());
    EXPECT_TRUE(ui.LabelVertNeonLastTime->text().startsWith(QStringLiteral("Ostatnio odczytany: ")));

    // Switching a feature off switches its timed read off too.
    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, false);
    EXPECT_FALSE(ui.CheckBoxVertFileRead->isChecked());
    EXPECT_FALSE(Timer(*form, "TimerVertNeonFileTime")->isActive());
    ShowHorizPage(ui);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    EXPECT_FALSE(ui.CheckBoxHorizFileRead->isChecked());
}

TEST_F(TextPagesTest, FileDialogsPauseBothTickersAndDoNotRead) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    ShowVertPage(ui);
    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
    bool pausedWhileOpen = false;
    dialogs.whileOpen = [&] {
        pausedWhileOpen = !Timer(*form, "TimerHorizNeon")->isActive() && !Timer(*form, "TimerVertNeon")->isActive();
    };
    const QString chosen = WriteFile(QStringLiteral("chosen.txt"), "text");
    dialogs.openAnswers = {chosen, QString()};
    ShowHorizPage(ui);
    UserInput::Type(ui.EditHorizFile, QStringLiteral("old.txt"));
    UserInput::Click(ui.ButtonHorizFile);
    EXPECT_TRUE(pausedWhileOpen);
    ASSERT_EQ(dialogs.openCalls.size(), 1u);
    EXPECT_EQ(dialogs.openCalls[0].fileName, QStringLiteral("old.txt"));
    EXPECT_EQ(dialogs.openCalls[0].filter, QStringLiteral("All files (*.*)|*.*"));
    EXPECT_EQ(ui.EditHorizFile->text(), chosen);
    EXPECT_NE(form->TextPages().Horiz().Neon().GetText(), "text");
    EXPECT_TRUE(Timer(*form, "TimerHorizNeon")->isActive());
    EXPECT_TRUE(Timer(*form, "TimerVertNeon")->isActive());

    // A double click on the vertical file name opens its dialog; cancel keeps the name.
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    ShowVertPage(ui);
    UserInput::Type(ui.EditVertFile, QStringLiteral("keep.txt"));
    QTest::mouseDClick(ui.EditVertFile, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    ASSERT_EQ(dialogs.openCalls.size(), 2u);
    EXPECT_EQ(dialogs.openCalls[1].fileName, QStringLiteral("keep.txt"));
    EXPECT_EQ(ui.EditVertFile->text(), QStringLiteral("keep.txt"));
    EXPECT_FALSE(Timer(*form, "TimerHorizNeon")->isActive());
    EXPECT_TRUE(Timer(*form, "TimerVertNeon")->isActive());
}

// Each control of both pages comes back at the next start. Values, key order
// and bytes of the file: tests/models/text/TextSettingsTest.cpp, SettingsTest.
TEST_F(TextPagesTest, SettingsRoundTripForBothPages) {
    const QString horizFile = WriteFile(QStringLiteral("h.txt"), "from file");
    const QString vertFile = dir.filePath(QStringLiteral("v.txt"));
    {
        auto form = MakeForm();
        const TWindowControls ui(*form);
        ShowHorizPage(ui);
        UserInput::Type(ui.EditHorizNeon, QStringLiteral("  Zażółć gęślą jaźń  "));
        UserInput::SetValue(ui.ScrollBarHorizNeonInterval, 25);
        UserInput::SetValue(ui.ScrollBarHorizNeonY, 3);
        UserInput::SetValue(ui.ScrollBarHorizFileTime, 65);
        UserInput::Type(ui.EditHorizFile, horizFile);
        UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
        ShowVertPage(ui);
        UserInput::SetChecked(ui.CheckBoxVertNeonCenter, true);
        UserInput::Type(ui.MemoVertNeon, QStringLiteral("1\n2\n\n3\n") + QString(29, u'a') + QStringLiteral(" b"));
        UserInput::SetValue(ui.ScrollBarVertNeonInterval, 7);
        UserInput::SetValue(ui.ScrollBarVertNeonHeight, 2);
        UserInput::SetValue(ui.ScrollBarVertNeonY, 14);
        UserInput::SetValue(ui.ScrollBarVertFileTime, 90);
        UserInput::Type(ui.EditVertFile, vertFile);
        UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
    }
    {
        auto form = MakeForm();
        const TWindowControls ui(*form);
        EXPECT_EQ(ui.EditHorizNeon->text(), QStringLiteral("Zażółć gęślą jaźń"));
        EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1");
        EXPECT_EQ(ui.ScrollBarHorizNeonInterval->value(), 25);
        EXPECT_EQ(ui.LabelHorizNeonInterval->text(), QStringLiteral("2.5"));
        EXPECT_EQ(form->TextPages().Horiz().Neon().PosY, 3);
        EXPECT_EQ(ui.LabelHorizNeonFileTime->text(), QStringLiteral("01:05"));
        EXPECT_EQ(ui.EditHorizFile->text(), horizFile);
        EXPECT_FALSE(ui.CheckBoxHorizNeonEnabled->isChecked());
        EXPECT_TRUE(ui.CheckBoxVertNeonCenter->isChecked());
        EXPECT_EQ(form->TextPages().Vert().Neon().Lines,
                  (std::vector<std::string>{"1", "2", "3", std::string(29, 'a'), "b"}));
        EXPECT_EQ(ui.ScrollBarVertNeonInterval->value(), 7);
        // The stored window rows 14..15 come back although the default
        // height would not allow row 14 before the height is restored.
        EXPECT_EQ(form->TextPages().Vert().Neon().PosY, 14);
        EXPECT_EQ(form->TextPages().Vert().Neon().Height, 2);
        EXPECT_EQ(ui.ScrollBarVertFileTime->value(), 90);
        EXPECT_EQ(ui.EditVertFile->text(), vertFile);
        EXPECT_TRUE(ui.CheckBoxVertNeonEnabled->isChecked());
        EXPECT_TRUE(Timer(*form, "TimerVertNeon")->isActive());
    }
}

// Row 7 is where both row bars are designed to stand, so restoring it moves
// neither bar; the ticker and the pages still write on the row shown.
TEST_F(TextPagesTest, AStoredRowAtTheBarsDesignedPositionIsTheRowWritten) {
    WriteFile(QStringLiteral("KR7Controller.ini"),
              "[HorizNeon]\r\nText=ABC\r\nPosY=7\r\nEnabled=0\r\n[VertNeon]\r\nPosY=7\r\nHeight=3\r\n");
    {
        auto form = MakeConnectedForm();
        const TWindowControls ui(*form);
        EXPECT_EQ(ui.LabelHorizNeonY->text(), QStringLiteral("8"));
        EXPECT_EQ(ui.LabelVertNeonY->text(), QStringLiteral("8"));
        EXPECT_EQ(ui.ScrollBarVertNeonY->maximum(), 13);

        ShowHorizPage(ui);
        UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, true);
        UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
        EXPECT_EQ(pty.TakeHex(), Joined({TEXT_MODE, Frame(ROW_7, BLANK), Frame(ROW_7, BLANK)}));

        ShowVertPage(ui);
        UserInput::Type(ui.MemoVertNeon, QStringLiteral("one"));
        UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
        const std::string one = "one" + std::string(27, ' ');
        EXPECT_EQ(pty.TakeHex(), Joined({TEXT_MODE, Frame(ROW_7, one), Frame(ROW_8, BLANK), Frame(ROW_9, BLANK)}));
        UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, false);
        pty.Take();
    }
    EXPECT_EQ(SettingsText().count("PosY=7\r\n"), 2);
}

TEST_F(TextPagesTest, RestoredFileReadReadsAtOnce) {
    const QString file = WriteFile(QStringLiteral("news.txt"), "news");
    WriteFile(QStringLiteral("KR7Controller.ini"), "[HorizNeon]\r\nFile=" + file.toUtf8() + "\r\nFileRead=1\r\n");
    auto form = MakeForm();
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "news");
    EXPECT_TRUE(Timer(*form, "TimerHorizNeonFileTime")->isActive());
}

// Every byte but the line breaks, in lines of at most 30 bytes without a
// break character, so each line is one page line as it stands.
std::vector<std::string> EveryByteLines() {
    std::vector<std::string> lines(1);
    for (int b = 1; b < 256; ++b) {
        if (b == '\n' || b == '\r' || b == ' ' || b == '-' || b == '.')
            continue;
        if (lines.back().size() == 30)
            lines.emplace_back();
        lines.back().push_back(static_cast<char>(b));
    }
    return lines;
}

// The editors hold every byte as it stands, no-break spaces included, from a
// file and back from the settings; the pages send them unchanged.
TEST_F(TextPagesTest, EveryByteSurvivesBothEditorsAndReachesTheWire) {
    const std::vector<std::string> lines = EveryByteLines();
    ASSERT_NE(lines[5].find('\xA0'), std::string::npos);
    QByteArray pagesFile;
    for (const std::string& line : lines)
        pagesFile.append(line.data(), static_cast<qsizetype>(line.size())).append("\r\n");
    // The ticker trims blanks and control bytes at the ends of its text.
    std::string ticker = "<";
    for (const std::string& line : lines)
        ticker += line;
    ticker += ">";
    const auto left = [](const std::string& s) { return s + std::string(30 - s.size(), ' '); };
    {
        auto form = MakeConnectedForm();
        const TWindowControls ui(*form);
        ReadFile(ui, TICKER_FILE, WriteFile(QStringLiteral("ticker.txt"), QByteArray::fromStdString(ticker)));
        UserInput::SetChecked(ui.CheckBoxHorizFileRead, false);
        UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
        EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), ticker);
        ReadFile(ui, PAGES_FILE, WriteFile(QStringLiteral("pages.txt"), pagesFile));
        UserInput::SetChecked(ui.CheckBoxVertFileRead, false);
        ASSERT_EQ(form->TextPages().Vert().Neon().Lines, lines);
        pty.Take();
        for (std::size_t page = 0; page < 3; ++page) {
            if (page == 0)
                UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
            else
                form->TextPages().Vert().TimerVertNeonTimer();
            std::string expected = page == 0 ? TEXT_MODE + " " : "";
            expected += Joined({Frame(ROW_12, left(lines[page * 3])), Frame(ROW_13, left(lines[page * 3 + 1])),
                                Frame(ROW_14, left(lines[page * 3 + 2]))});
            EXPECT_EQ(pty.TakeHex(), expected) << page;
        }
        UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, false);
    }
    auto form = MakeForm();
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), ticker);
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines, lines);
}

} // namespace
