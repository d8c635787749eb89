// Long device sequences in a window that stays alive: the glyph-set upload
// and the logo removal stopped by Esc, by a click on their cancel button, by
// a close of the window or a closing signal, and the ticker held back until
// the upload has ended. The line is made slow by the fake line clock, so the
// window pumps its events during every wait while the test itself runs
// quickly. Clicks and closes go to the shown window as the window system
// delivers them, not to the control.
#include "UserInput.h"
#include "WindowControls.h"
#include "service/ServiceFixture.h"
#include "shell/CloseOnSignals.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <functional>
#include <thread>

namespace {

constexpr std::size_t GLYPH_BYTES = 64;
using namespace std::chrono_literals;

class LongSequenceTest : public ServiceFixture {
protected:
    // The ticker, on at a first start, would put its rows between the
    // uploads; the ticker's own test turns it on again.
    void SetUp() override {
        ServiceFixture::SetUp();
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
        UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
    }
    // Runs step again and again from the event loop that the sequence pumps,
    // until it returns true.
    void Repeat(std::function<bool()> step) {
        QObject::disconnect(&watcher, nullptr, nullptr, nullptr);
        const int generation = ++generation_;
        watcher.setInterval(0);
        QObject::connect(&watcher, &QTimer::timeout, [this, step, generation] {
            // A step may set up the next one; then the timer goes on.
            if (step() && generation == generation_)
                watcher.stop();
        });
        watcher.start();
    }
    // Runs act once, as soon as the bar of the running sequence has reached
    // steps (its cancel button is shown while it runs).
    void WhenProgressReaches(int steps, std::function<void()> act, const char* bar = "ProgressBarSendCharsToDevice") {
        const QByteArray cancel = QByteArray(bar).replace("ProgressBar", "ButtonCancel");
        Repeat([this, steps, act, bar, cancel] {
            if (!Shown(cancel.constData()) || Find<QProgressBar>(bar)->value() < steps)
                return false;
            act();
            return true;
        });
    }
    // Where the window system puts a click on control: in the shown window.
    QPoint InWindow(const QWidget* control) const {
        return form->windowHandle()->mapFromGlobal(control->mapToGlobal(control->rect().center()));
    }
    void PressOnWindow(const QWidget* control) {
        QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, InWindow(control));
    }
    void ReleaseOnWindow(const QWidget* control) {
        QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, InWindow(control));
    }
    void ClickOnWindow(const QWidget* control) {
        PressOnWindow(control);
        ReleaseOnWindow(control);
    }
    void SendWholeSet() {
        dialogs.okCancelAnswers.push_back(true);
        ClickOnWindow(Find("ButtonSendCharsToDevice"));
    }
    // "Usuń" on the Logo page: the default glyphs 115 to 255.
    void ShowLogoPage() {
        UserInput::ShowPage(Find<QTabWidget>("PageControl"), Find("TabSheetLogo"));
        form->ClearLog();
    }
    void RemoveLogo() { ClickOnWindow(Find("ButtonLogoProgramClear")); }
    // The received bytes are whole glyph uploads, codes first upward: how many.
    static std::size_t WholeUploads(const std::string& bytes, int first = 0) {
        EXPECT_EQ(bytes.size() % GLYPH_BYTES, 0u);
        for (std::size_t k = 0; k * GLYPH_BYTES < bytes.size(); ++k) {
            const std::string head = ToHex(bytes.substr(k * GLYPH_BYTES, 4));
            EXPECT_EQ(head, ToHex(FromHex("FF 00 05") + static_cast<char>(first + static_cast<int>(k))))
                << "glyph " << k;
        }
        return bytes.size() / GLYPH_BYTES;
    }
    // The bytes of the glyphs the log's last line says went out ("... after N
    // of M ..."), once they have all arrived: a busy machine may hand them
    // over late. head: the bytes of the frames before the glyphs.
    std::string TakeLogged(TPtyPort& pty, std::size_t head = 0) const {
        const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("(\\d+)")).match(LastLog());
        EXPECT_TRUE(count.hasMatch()) << LastLog().toStdString();
        return pty.TakeAtLeast(head + count.captured(1).toULong() * GLYPH_BYTES);
    }
    // The removal's bytes: clear, cross mode, stored cross mode, then glyphs from 115.
    static std::size_t RemovalUploads(const std::string& bytes) {
        const std::string head = "FF 00 03 00 00 00 00 00 00 03 FF 00 01 00 00 00 00 00 00 01 "
                                 "FF 00 07 00 00 00 00 00 00 07";
        EXPECT_EQ(ToHex(bytes.substr(0, 3 * FRAME_SIZE)), head);
        return WholeUploads(bytes.substr(std::min(bytes.size(), 3 * FRAME_SIZE)), 115);
    }

    // Glyphs the line has carried by the fake clock since start, the line
    // busy all the while.
    double CarriedGlyphs(std::chrono::steady_clock::time_point start) const {
        return std::chrono::duration<double>(platform.line.now - start).count() * BYTES_PER_SECOND / GLYPH_BYTES;
    }
    bool Shown(const char* name) const { return Find(name)->isVisible(); }

    static constexpr double BYTES_PER_SECOND = 240.0;
    QTimer watcher;
    int generation_ = 0;
};

TEST_F(LongSequenceTest, TheBarShowsWhatTheLineHasCarriedAndTheUploadEndsWithTheLineEmpty) {
    TPtyPort pty(3);
    Connect(pty);
    platform.line.now += 1s; // the mode frame has gone out
    const auto start = platform.line.now;
    auto* bar = Find<QProgressBar>("ProgressBarSendCharsToDevice");
    double largestLag = 0;
    int samples = 0;
    Repeat([&] {
        ++samples;
        largestLag = std::max(largestLag, std::abs(bar->value() - CarriedGlyphs(start)));
        return false;
    });
    const int lines = form->LogLines().size();
    SendWholeSet();
    watcher.stop();
    EXPECT_GT(samples, 256);
    // Sixteen glyphs fill the driver's queue: a bar that followed the writes
    // would run that far ahead of the line.
    EXPECT_LE(largestLag, 1.0);
    EXPECT_EQ(bar->value(), 256);
    EXPECT_GE(CarriedGlyphs(start), 256.0 - 1e-6);
    EXPECT_EQ(WholeUploads(pty.TakeAtLeast(256 * GLYPH_BYTES)), 256u);
    EXPECT_EQ(form->LogLines().size(), lines); // an upload left alone logs nothing
}

TEST_F(LongSequenceTest, EscapeWhileTheLastGlyphsAreOnTheLineEndsTheWaitButNotTheUpload) {
    TPtyPort pty(3);
    Connect(pty);
    platform.line.now += 1s;
    const auto start = platform.line.now;
    const int lines = form->LogLines().size();
    std::string received;
    double carriedAtEscape = -1;
    Repeat([&] {
        // The whole set is written once the line has carried all but the
        // sixteen glyphs of a full queue; then the handler waits for the line.
        if (CarriedGlyphs(start) < 241.0)
            return false;
        received += pty.Take();
        if (received.size() < 256 * GLYPH_BYTES)
            return false;
        carriedAtEscape = CarriedGlyphs(start);
        QTest::keyClick(form.get(), Qt::Key_Escape);
        return true;
    });
    SendWholeSet();
    EXPECT_EQ(WholeUploads(received), 256u);
    EXPECT_LT(carriedAtEscape, 256.0);
    EXPECT_LT(CarriedGlyphs(start), 256.0);
    EXPECT_EQ(form->LogLines().size(), lines);
    EXPECT_FALSE(Shown("ButtonCancelSendCharsToDevice"));
}

// The line saying how far the upload got comes as soon as the writes stop;
// the bar goes on showing the glyphs still on their way.
TEST_F(LongSequenceTest, EscapeStopsTheUploadBetweenTwoGlyphsAndTheLogSaysAtOnceHowFar) {
    TPtyPort pty(3);
    Connect(pty);
    bool buttonShown = false;
    std::chrono::steady_clock::time_point escapedAt{};
    std::chrono::steady_clock::time_point loggedAt{};
    bool barShownWhenLogged = false;
    WhenProgressReaches(37, [&] {
        buttonShown = Shown("ButtonCancelSendCharsToDevice");
        escapedAt = platform.line.now;
        QTest::keyClick(form->windowHandle(), Qt::Key_Escape);
        Repeat([&] {
            if (!LastLog().startsWith(QStringLiteral("Cancelled after")))
                return false;
            loggedAt = platform.line.now;
            barShownWhenLogged = Shown("ProgressBarSendCharsToDevice");
            return true;
        });
    });
    SendWholeSet();
    const std::size_t sent = WholeUploads(TakeLogged(pty));
    EXPECT_TRUE(buttonShown);
    EXPECT_GE(sent, 37u);
    EXPECT_LT(sent, 256u);
    EXPECT_EQ(LastLog(), QStringLiteral("Cancelled after %1 of 256 characters.").arg(sent));
    // A full queue takes 4.3 s to drain; the line came within one glyph.
    EXPECT_TRUE(barShownWhenLogged);
    EXPECT_LT(loggedAt - escapedAt, 500ms);
    EXPECT_FALSE(Shown("ButtonCancelSendCharsToDevice"));
    EXPECT_FALSE(Shown("ProgressBarSendCharsToDevice"));
}

// Presses held while no glyph, 8 and 40 glyphs go out; a click elsewhere
// meanwhile does nothing.
TEST_F(LongSequenceTest, AClickOnTheCancelButtonStopsTheUploadAndOtherClicksAreNotTaken) {
    TPtyPort pty(3);
    Connect(pty);
    for (const int held : {0, 8, 40}) {
        auto* cancel = Find<QPushButton>("ButtonCancelSendCharsToDevice");
        int pressedAt = -1;
        WhenProgressReaches(30, [&] {
            ClickOnWindow(Find("ButtonClrScr"));
            pressedAt = Find<QProgressBar>("ProgressBarSendCharsToDevice")->value();
            PressOnWindow(cancel);
            Repeat([&] {
                if (Find<QProgressBar>("ProgressBarSendCharsToDevice")->value() < pressedAt + held)
                    return false;
                ReleaseOnWindow(cancel);
                return true;
            });
        });
        SendWholeSet();
        const std::size_t sent = WholeUploads(TakeLogged(pty));
        EXPECT_GE(sent, 30u + held) << held;
        EXPECT_LT(sent, 256u) << held;
        EXPECT_EQ(LastLog(), QStringLiteral("Cancelled after %1 of 256 characters.").arg(sent)) << held;
    }
}

TEST_F(LongSequenceTest, AClickOnTheCancelButtonStopsTheLogoRemoval) {
    TPtyPort pty(3);
    Connect(pty);
    ShowLogoPage();
    for (const int held : {0, 8, 40}) {
        auto* cancel = Find<QPushButton>("ButtonCancelLogoProgress");
        int pressedAt = -1;
        WhenProgressReaches(
            20,
            [&] {
                pressedAt = Find<QProgressBar>("ProgressBarLogoProgress")->value();
                PressOnWindow(cancel);
                Repeat([&] {
                    if (Find<QProgressBar>("ProgressBarLogoProgress")->value() < pressedAt + held)
                        return false;
                    ReleaseOnWindow(cancel);
                    return true;
                });
            },
            "ProgressBarLogoProgress");
        RemoveLogo();
        const std::size_t sent = RemovalUploads(TakeLogged(pty, 3 * FRAME_SIZE));
        EXPECT_LT(sent, 141u) << held;
        EXPECT_EQ(LastLog(), QStringLiteral("Przerwano po %1 z 141 znaków.").arg(sent)) << held;
    }
}

// The cancel button pressed through a real X server, as a mouse gives it
// (xdotool's pointer), held 0.15, 0.4 and 1.2 s after a click elsewhere that
// must not be taken. Runs where the window is on an X server
// (tests/tools/UnderXvfb.sh); every slice of the line's waits then takes a
// little real time, so that the presses arrive while the sequence runs.
class XServerClicks : public LongSequenceTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server and xdotool (tests/tools/UnderXvfb.sh)";
        LongSequenceTest::SetUp();
    }
    // Runs start with the pointer pressing the cancel button of bar once it
    // has reached 10 steps; returns the log's last line.
    QString PressCancelThroughX(const char* bar, double seconds, const std::function<void()>& start) {
        const QByteArray cancelName = QByteArray(bar).replace("ProgressBar", "ButtonCancel");
        QProcess xdotool;
        bool pressed = false;
        Repeat([&] {
            QThread::msleep(5);
            if (pressed || !Shown(cancelName.constData()) || Find<QProgressBar>(bar)->value() < 10)
                return false;
            pressed = true;
            const QPoint elsewhere = Centre(Find("ButtonClrScr"));
            const QPoint cancel = Centre(Find(cancelName.constData()));
            xdotool.start(QStringLiteral("xdotool"),
                          {"mousemove", "--sync", QString::number(elsewhere.x()), QString::number(elsewhere.y()),
                           "click", "1", "mousemove", "--sync", QString::number(cancel.x()),
                           QString::number(cancel.y()), "mousedown", "1", "sleep", QString::number(seconds), "mouseup",
                           "1"});
            return false;
        });
        start();
        watcher.stop();
        if (xdotool.state() != QProcess::NotRunning)
            xdotool.waitForFinished(5000);
        EXPECT_EQ(xdotool.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
        return LastLog();
    }
    static QPoint Centre(const QWidget* control) { return control->mapToGlobal(control->rect().center()); }
};

TEST_F(XServerClicks, PressesOnTheCancelButtonStopTheUploadAndTheLogoRemoval) {
    TPtyPort pty(3);
    Connect(pty);
    for (const double seconds : {0.15, 0.4, 1.2}) {
        const QString logged = PressCancelThroughX("ProgressBarSendCharsToDevice", seconds, [this] { SendWholeSet(); });
        const std::size_t sent = WholeUploads(TakeLogged(pty));
        EXPECT_LT(sent, 256u) << seconds;
        EXPECT_EQ(logged, QStringLiteral("Cancelled after %1 of 256 characters.").arg(sent)) << seconds;
    }
    ShowLogoPage();
    for (const double seconds : {0.15, 1.2}) {
        const QString logged = PressCancelThroughX("ProgressBarLogoProgress", seconds, [this] { RemoveLogo(); });
        const std::size_t sent = RemovalUploads(TakeLogged(pty, 3 * FRAME_SIZE));
        EXPECT_LT(sent, 141u) << seconds;
        EXPECT_EQ(logged, QStringLiteral("Przerwano po %1 z 141 znaków.").arg(sent)) << seconds;
    }
}

// A close (the window system's close, as Alt+F4 asks for it) stops the
// upload between two glyphs, logs how far it got and closes the window
// without waiting for the line; the settings are saved.
TEST_F(LongSequenceTest, ACloseStopsTheUploadAndTheWindowCloses) {
    TPtyPort pty(3);
    Connect(pty);
    std::chrono::steady_clock::time_point closedAt{};
    WhenProgressReaches(40, [&] {
        closedAt = platform.line.now;
        QCoreApplication::postEvent(form->windowHandle(), new QCloseEvent);
    });
    SendWholeSet();
    const auto endedAt = platform.line.now;
    const std::size_t sent = WholeUploads(TakeLogged(pty));
    EXPECT_LT(sent, 256u);
    // At most four glyphs' time on the line after the close.
    EXPECT_LT(endedAt - closedAt, 1s);
    EXPECT_EQ(LastLog(), QStringLiteral("Cancelled after %1 of 256 characters.").arg(sent));
    QTRY_VERIFY(!form->isVisible());
    form.reset();
    EXPECT_TRUE(Read(Path("KR7Controller.ini")).contains("Connected=1"));
}

TEST_F(LongSequenceTest, ATerminationSignalStopsTheLogoRemovalAndTheWindowCloses) {
    TPtyPort pty(3);
    Connect(pty);
    ShowLogoPage();
    const TCloseOnSignals closeOnSignals(*form);
    ASSERT_TRUE(closeOnSignals.Ready());
    std::chrono::steady_clock::time_point signalledAt{};
    WhenProgressReaches(
        30,
        [&] {
            signalledAt = platform.line.now;
            ::kill(::getpid(), SIGTERM);
        },
        "ProgressBarLogoProgress");
    RemoveLogo();
    const std::size_t sent = RemovalUploads(TakeLogged(pty, 3 * FRAME_SIZE));
    EXPECT_LT(sent, 141u);
    EXPECT_LT(platform.line.now - signalledAt, 1s);
    EXPECT_EQ(LastLog(), QStringLiteral("Przerwano po %1 z 141 znaków.").arg(sent));
    QTRY_VERIFY(!form->isVisible());
}

TEST_F(LongSequenceTest, TickerFramesDueDuringTheUploadFollowIt) {
    TPtyPort pty(3);
    Connect(pty);
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("ABC"));
    UserInput::SetValue(ui.ScrollBarHorizNeonInterval, 1);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, true);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
    pty.Take();
    // The ticker falls due while the upload is half-way: its timer's
    // interval passes on the real clock.
    QElapsedTimer halfWay;
    Repeat([&] {
        if (Find<QProgressBar>("ProgressBarSendCharsToDevice")->value() < 128)
            return false;
        if (!halfWay.isValid())
            halfWay.start();
        return halfWay.elapsed() > 150;
    });
    SendWholeSet();
    QCoreApplication::processEvents(); // the ticker's step, held back until now
    std::string bytes = pty.TakeAtLeast(256 * GLYPH_BYTES + FRAME_SIZE);
    // Steps due before the click went out before the upload.
    while (ToHex(bytes.substr(0, 3)) == "FF 00 04")
        bytes.erase(0, FRAME_SIZE + 30);
    if (bytes.size() < 256 * GLYPH_BYTES + FRAME_SIZE)
        bytes += pty.TakeAtLeast(256 * GLYPH_BYTES + FRAME_SIZE - bytes.size());
    EXPECT_EQ(WholeUploads(bytes.substr(0, 256 * GLYPH_BYTES)), 256u);
    EXPECT_EQ(ToHex(bytes.substr(256 * GLYPH_BYTES, 3)), "FF 00 04");
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
}

} // namespace
