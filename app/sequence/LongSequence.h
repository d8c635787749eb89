#pragma once

#include "LineClock.h"
#include "sequence/ProgressBarAdapter.h"
#include "sequence/SequenceLine.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <cstdint>
#include <deque>

class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;

// Puts a hidden cancel button with caption beside bar, named after it
// ("ProgressBarLogoProgress" -> "ButtonCancelLogoProgress"), unless it is
// there already; returns it.
QPushButton* AddCancelButton(QProgressBar& bar, const QString& caption);

// A device sequence that takes long on the line (a glyph set, a logo), held
// for as long as this object lives. Meanwhile the window stays alive without
// running anything else: the progress bar shows the steps, the cancel button
// beside it is shown, the cursor shows busy, and during the line's waits the
// window repaints and takes no input but the cancel button and Esc. A step
// shows on the bar once the line has carried the bytes written up to it, so
// the bar moves with the line, not with what the driver has taken. Timer
// events of the window's timers due meanwhile are held back and run, once
// each, after the sequence.
//
// The sequence ends early, between two steps, on Esc, on a click of the
// cancel button, on a close request (the window closes once the handler has
// returned, without waiting for the line) and when the device goes away
// (the port closes under it); Cancelled() then says so and Done() counts the
// steps whose bytes were all written.
class TLongSequence : public QObject, public TProgress, private TLineWaiter {
public:
    TLongSequence(TSequenceLine& line, QProgressBar& bar);
    ~TLongSequence() override;
    TLongSequence(const TLongSequence&) = delete;
    TLongSequence& operator=(const TLongSequence&) = delete;

    void SetMax(int max) override;
    void Step() override;
    bool Cancelled() const override { return cancelled_ || DeviceLost(); }

    // Steps taken and the maximum set, for the log line after a cancel.
    int Done() const { return done_; }
    int Total() const { return total_; }

    // Waits, keeping the window alive, until the line has carried every byte
    // written, the user cancels the wait or the window is to close. The
    // handler calls this after the last frame; a sequence cut short is
    // logged before this wait, a finished one after it.
    void WaitForLine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Handles the events that have arrived; the line calls this during its waits.
    void HandleEvents() override;
    bool DeviceLost() const { return portWasOpen_ && !line_.PortOpen(); }
    bool IsWindowTimer(const QObject* object) const;
    bool HoldsBack(QObject* watched, QEvent* event);
    void ShowCancelButton();
    void Cancel();
    void ShowCarriedSteps();
    void RepaintBar();
    void RunHeldBack();

    TSequenceLine& line_;
    TLineWaiter* outer_;
    QProgressBar& bar_;
    TProgressBarAdapter progress_;
    QPointer<QWidget> window_;
    QPointer<QPushButton> cancel_;
    QRect barGeometry_;
    QList<QPointer<QTimer>> heldBack_;
    // The bytes written when each step not yet shown was taken.
    std::deque<std::uint64_t> unshownSteps_;
    TLineClock::TTime lastRepaint_{};
    bool waitingForLine_ = false;
    bool waitCancelled_ = false;
    bool closeRequested_ = false;
    bool cancelled_ = false;
    bool portWasOpen_ = false;
    int done_ = 0;
    int total_ = 0;
};
