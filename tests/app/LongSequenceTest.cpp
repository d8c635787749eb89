// Long device sequences in a window that stays alive: the glyph-set upload
// cancelled by Esc or by its button between two glyphs, and the ticker held
// back until the upload has ended. The line is made slow by the fake line
// clock, so the window pumps its events during every wait while the test
// itself runs quickly.
#include "ServiceFixture.h"
#include "UserInput.h"
#include "WindowControls.h"

#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

namespace {

constexpr std::size_t GLYPH_BYTES = 64;

class LongSequenceTest : public ServiceFixture {
protected:
    // Runs act once, from the event loop the upload pumps, as soon as the
    // progress bar has reached steps.
    void WhenProgressReaches(int steps, std::function<void()> act) {
        watcher.setInterval(0);
        QObject::connect(&watcher, &QTimer::timeout, [this, steps, act] {
            if (Find<QProgressBar>("ProgressBarSendCharsToDevice")->value() < steps)
                return;
            watcher.stop();
            act();
        });
        watcher.start();
    }
    void SendWholeSet() {
        dialogs.okCancelAnswers.push_back(true);
        Click("ButtonSendCharsToDevice");
    }
    // The received bytes are whole glyph uploads, codes 0 upward: how many.
    static std::size_t WholeUploads(const std::string& bytes) {
        EXPECT_EQ(bytes.size() % GLYPH_BYTES, 0u);
        for (std::size_t k = 0; k * GLYPH_BYTES < bytes.size(); ++k) {
            const std::string head = ToHex(bytes.substr(k * GLYPH_BYTES, 4));
            EXPECT_EQ(head, ToHex(FromHex("FF 00 05") + static_cast<char>(k))) << "glyph " << k;
        }
        return bytes.size() / GLYPH_BYTES;
    }

    // Glyphs the line has carried by the fake clock since start, the line
    // busy all the while.
    double CarriedGlyphs(std::chrono::steady_clock::time_point start) const {
        return std::chrono::duration<double>(platform.line.now - start).count() * BYTES_PER_SECOND / GLYPH_BYTES;
    }

    static constexpr double BYTES_PER_SECOND = 240.0;
    QTimer watcher;
};

TEST_F(LongSequenceTest, TheBarShowsWhatTheLineHasCarriedAndTheUploadEndsWithTheLineEmpty) {
    TPtyPort pty(3);
    Connect(pty);
    platform.line.now += std::chrono::seconds(1); // the mode frame has gone out
    const auto start = platform.line.now;
    auto* bar = Find<QProgressBar>("ProgressBarSendCharsToDevice");
    double largestLag = 0;
    int samples = 0;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        ++samples;
        largestLag = std::max(largestLag, std::abs(bar->value() - CarriedGlyphs(start)));
    });
    watcher.start();
    SendWholeSet();
    watcher.stop();
    EXPECT_GT(samples, 256);
    // Sixteen glyphs fill the driver's queue: a bar that followed the writes
    // would run that far ahead of the line.
    EXPECT_LE(largestLag, 1.0);
    EXPECT_EQ(bar->value(), 256);
    EXPECT_GE(CarriedGlyphs(start), 256.0 - 1e-6);
    EXPECT_EQ(WholeUploads(pty.Take()), 256u);
}

TEST_F(LongSequenceTest, EscapeWhileTheLastGlyphsAreOnTheLineEndsTheWaitButNotTheUpload) {
    TPtyPort pty(3);
    Connect(pty);
    platform.line.now += std::chrono::seconds(1);
    const auto start = platform.line.now;
    const int lines = form->LogLines().size();
    std::string received;
    double carriedAtEscape = -1;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        // The whole set is written once the line has carried all but the
        // sixteen glyphs of a full queue; then the handler waits for the line.
        if (CarriedGlyphs(start) < 241.0)
            return;
        received += pty.Take();
        if (received.size() < 256 * GLYPH_BYTES)
            return;
        watcher.stop();
        carriedAtEscape = CarriedGlyphs(start);
        QTest::keyClick(form.get(), Qt::Key_Escape);
    });
    watcher.start();
    SendWholeSet();
    EXPECT_EQ(WholeUploads(received), 256u);
    EXPECT_LT(carriedAtEscape, 256.0);
    EXPECT_LT(CarriedGlyphs(start), 256.0);
    EXPECT_EQ(form->LogLines().size(), lines);
    EXPECT_FALSE(Find<QPushButton>("ButtonCancelSendCharsToDevice")->isVisible());
}

TEST_F(LongSequenceTest, EscapeStopsTheUploadBetweenTwoGlyphsAndTheLogSaysHowFar) {
    TPtyPort pty(3);
    Connect(pty);
    bool buttonShown = false;
    WhenProgressReaches(37, [&] {
        buttonShown = Find<QPushButton>("ButtonCancelSendCharsToDevice")->isVisible();
        QTest::keyClick(form.get(), Qt::Key_Escape);
    });
    SendWholeSet();
    const std::size_t sent = WholeUploads(pty.Take());
    EXPECT_TRUE(buttonShown);
    EXPECT_GE(sent, 37u);
    EXPECT_LT(sent, 256u);
    EXPECT_EQ(LastLog(), QStringLiteral("Cancelled after %1 of 256 characters.").arg(sent));
    EXPECT_FALSE(Find<QPushButton>("ButtonCancelSendCharsToDevice")->isVisible());
    EXPECT_FALSE(Find<QProgressBar>("ProgressBarSendCharsToDevice")->isVisible());
}

TEST_F(LongSequenceTest, TheCancelButtonStopsTheUploadAndOtherInputIsNotTaken) {
    TPtyPort pty(3);
    Connect(pty);
    WhenProgressReaches(100, [&] {
        // A click elsewhere does nothing while the upload runs.
        QTest::mouseClick(Find<QAbstractButton>("ButtonClrScr"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>("ButtonCancelSendCharsToDevice"), Qt::LeftButton);
    });
    SendWholeSet();
    const std::size_t sent = WholeUploads(pty.Take());
    EXPECT_GE(sent, 100u);
    EXPECT_LT(sent, 256u);
    EXPECT_EQ(LastLog(), QStringLiteral("Cancelled after %1 of 256 characters.").arg(sent));
}

TEST_F(LongSequenceTest, AnUploadLeftAloneSendsEverythingAndLogsNothing) {
    TPtyPort pty(3);
    Connect(pty);
    const int lines = form->LogLines().size();
    SendWholeSet();
    EXPECT_EQ(WholeUploads(pty.Take()), 256u);
    EXPECT_EQ(form->LogLines().size(), lines);
    EXPECT_EQ(Find<QProgressBar>("ProgressBarSendCharsToDevice")->value(), 256);
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
    // The ticker falls due while the upload is half-way.
    WhenProgressReaches(128, [] { std::this_thread::sleep_for(std::chrono::milliseconds(250)); });
    SendWholeSet();
    const std::string during = pty.Take();
    EXPECT_EQ(WholeUploads(during), 256u);
    QTest::qWait(50);
    const std::string after = pty.TakeHex();
    EXPECT_EQ(after.substr(0, 8), "FF 00 04") << after;
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
}

} // namespace
