#include "QuietImageIo.h"

#include <QThread>

#include <atomic>

namespace {

// The handler that was in place when the outermost guard began, and the
// thread whose messages are dropped. Guards nest on one thread only: pictures
// are read on the thread that asks for them.
std::atomic<QtMessageHandler> passOn{nullptr};
std::atomic<QThread*> quietThread{nullptr};

void DropOrPass(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg && QThread::currentThread() == quietThread.load())
        return;
    if (const QtMessageHandler next = passOn.load())
        next(type, context, text);
}

} // namespace

TQuietImageIo::TQuietImageIo() {
    QThread* none = nullptr;
    if (!quietThread.compare_exchange_strong(none, QThread::currentThread()))
        return; // an outer guard (or another thread's) is in place
    owner_ = true;
    passOn.store(qInstallMessageHandler(DropOrPass));
}

TQuietImageIo::~TQuietImageIo() {
    if (!owner_)
        return;
    qInstallMessageHandler(passOn.load());
    quietThread.store(nullptr);
}
