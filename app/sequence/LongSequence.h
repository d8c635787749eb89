#pragma once

#include "LineClock.h"
#include "sequence/ProgressBarAdapter.h"

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
class TSequenceLine;

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
// each, after the sequence; a close request is carried out then too.
class TLongSequence : public QObject, public TProgress {
public:
    TLongSequence(TSequenceLine& line, QProgressBar& bar);
    ~TLongSequence() override;
    TLongSequence(const TLongSequence&) = delete;
    TLongSequence& operator=(const TLongSequence&) = delete;

    void SetMax(int max) override;
    void Step() override;
    bool Cancelled() const override { return cancelled_; }

    // Steps taken and the maximum set, for the log line after a cancel.
    int Done() const { return done_; }
    int Total() const { return total_; }

    // Handles the events that have arrived; the line calls this during its waits.
    void HandleEvents();
    // Waits, keeping the window alive, until the line has carried every byte
    // written or the user cancels the wait. The handler calls this after the
    // last frame, before its result line.
    void WaitForLine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsWindowTimer(const QObject* object) const;
    bool HoldsBack(QObject* watched, QEvent* event);
    void ShowCancelButton();
    void Cancel();
    void ShowCarriedSteps();
    void RepaintBar();
    void RunHeldBack();

    TSequenceLine& line_;
    TLongSequence* outer_;
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
    int done_ = 0;
    int total_ = 0;
};
