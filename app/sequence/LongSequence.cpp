#include "sequence/LongSequence.h"

#include "sequence/SequenceLine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>

namespace {

constexpr int BUTTON_WIDTH = 70;
constexpr int BUTTON_GAP = 4;

QString CancelButtonName(const QProgressBar& bar) {
    QString name = bar.objectName();
    name.replace(QStringLiteral("ProgressBar"), QString());
    return QStringLiteral("ButtonCancel") + name;
}

QPushButton* FindCancelButton(const QProgressBar& bar) {
    QWidget* parent = bar.parentWidget();
    if (parent == nullptr)
        return nullptr;
    return parent->findChild<QPushButton*>(CancelButtonName(bar), Qt::FindDirectChildrenOnly);
}

// The events by which the user acts on a control.
bool IsInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

bool IsEscape(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    return static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

} // namespace

QPushButton* AddCancelButton(QProgressBar& bar, const QString& caption) {
    if (QPushButton* existing = FindCancelButton(bar))
        return existing;
    auto* button = new QPushButton(caption, bar.parentWidget());
    button->setObjectName(CancelButtonName(bar));
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

TLongSequence::TLongSequence(TSequenceLine& line, QProgressBar& bar)
    : line_(line), outer_(line.SetActive(this)), bar_(bar), progress_(&bar), window_(bar.window()),
      cancel_(AddCancelButton(bar, QCoreApplication::translate("TLongSequence", "Anuluj"))),
      barGeometry_(bar.geometry()), portWasOpen_(line.PortOpen()) {
    ShowCancelButton();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    qApp->installEventFilter(this);
}

TLongSequence::~TLongSequence() {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    if (cancel_ != nullptr)
        cancel_->hide();
    bar_.setGeometry(barGeometry_);
    line_.SetActive(outer_);
    RunHeldBack();
}

// The bar gives up the room the button needs at its right end.
void TLongSequence::ShowCancelButton() {
    if (cancel_ == nullptr)
        return;
    QRect barRect = barGeometry_;
    barRect.setWidth(std::max(0, barRect.width() - BUTTON_WIDTH - BUTTON_GAP));
    bar_.setGeometry(barRect);
    cancel_->setGeometry(barRect.right() + 1 + BUTTON_GAP, barRect.top(), BUTTON_WIDTH, barRect.height());
    cancel_->raise();
    cancel_->show();
    connect(cancel_, &QPushButton::clicked, this, &TLongSequence::Cancel);
}

void TLongSequence::SetMax(int max) {
    total_ = max;
    progress_.SetMax(max);
}

// A step whose bytes met a device gone is not counted.
void TLongSequence::Step() {
    if (DeviceLost())
        return;
    ++done_;
    unshownSteps_.push_back(line_.Written());
    ShowCarriedSteps();
}

// A cancel once every frame is written stops only the wait for the line.
void TLongSequence::Cancel() {
    if (waitingForLine_)
        waitCancelled_ = true;
    else
        cancelled_ = true;
}

void TLongSequence::ShowCarriedSteps() {
    const std::uint64_t carried = line_.Carried();
    while (!unshownSteps_.empty() && unshownSteps_.front() <= carried) {
        unshownSteps_.pop_front();
        progress_.Step();
    }
}

// The bar is painted at every slice of a wait, moved or not, so the window
// shows it is alive between two steps.
void TLongSequence::RepaintBar() {
    const TLineClock::TTime now = line_.Now();
    if (now - lastRepaint_ < TSequenceLine::SLICE / 2)
        return;
    lastRepaint_ = now;
    if (bar_.isVisible())
        bar_.repaint();
}

void TLongSequence::HandleEvents() {
    ShowCarriedSteps();
    RepaintBar();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TLongSequence::WaitForLine() {
    waitingForLine_ = true;
    for (;;) {
        ShowCarriedSteps();
        if (waitCancelled_ || closeRequested_ || line_.InFlight() == 0)
            break;
        line_.WaitUntil(line_.Now() + TSequenceLine::SLICE);
    }
    waitingForLine_ = false;
}

bool TLongSequence::IsWindowTimer(const QObject* object) const {
    if (qobject_cast<const QTimer*>(object) == nullptr)
        return false;
    for (const QObject* parent = object->parent(); parent != nullptr; parent = parent->parent())
        if (parent == window_)
            return true;
    return false;
}

// The timer events, close requests and input that must wait for the end.
bool TLongSequence::HoldsBack(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Timer && IsWindowTimer(watched)) {
        auto* timer = static_cast<QTimer*>(watched);
        if (!heldBack_.contains(timer))
            heldBack_.append(timer);
        return true;
    }
    // The window closes once the handler has returned: the sequence stops
    // at the next step and the line is not waited for.
    if (event->type() == QEvent::Close && watched == window_) {
        closeRequested_ = true;
        Cancel();
        event->ignore();
        return true;
    }
    // Input reaches the widgets through their top-level windows, where it is
    // judged.
    if (!IsInput(event) || watched->isWindowType())
        return false;
    if (IsEscape(event))
        Cancel();
    return watched != cancel_ || event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

bool TLongSequence::eventFilter(QObject* watched, QEvent* event) {
    if (HoldsBack(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}

// Posted, so they run from the event loop once the handler that ran the
// sequence has returned.
void TLongSequence::RunHeldBack() {
    for (const QPointer<QTimer>& timer : heldBack_)
        if (timer != nullptr && timer->isActive())
            QCoreApplication::postEvent(timer, new QTimerEvent(timer->timerId()));
    if (closeRequested_ && window_ != nullptr)
        QMetaObject::invokeMethod(
            window_, [window = window_] { window->close(); }, Qt::QueuedConnection);
}
