#include "EmulatedDisplay.h"

#include "LineReader.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr int BAUD = 2400;

} // namespace

TEmulatedDisplay::TEmulatedDisplay(const QString& portsFolder, const QString& stateFile, THooks hooks)
    : hooks_(std::move(hooks)) {
    ::setenv("KR7_PORTS", portsFolder.toLocal8Bit().constData(), 1);
    thread_.reset(QThread::create([this, portsFolder, stateFile] { Run(portsFolder, stateFile); }));
    thread_->start();
    while (!ready_)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

TEmulatedDisplay::~TEmulatedDisplay() {
    Stop();
}

void TEmulatedDisplay::Stop() {
    stop_ = true;
    if (thread_)
        thread_->wait();
}

void TEmulatedDisplay::Run(const QString& folder, const QString& state) {
    TPtyEndpoint endpoint;
    QString error;
    if (!endpoint.Open(error) || !endpoint.Publish(folder, "COM1", error)) {
        std::fprintf(stderr, "emulator: %s\n", qPrintable(error));
        std::exit(1);
    }
    QString notice;
    TEmulatorSession session(PowerOnState(state, notice), state, BAUD);
    if (hooks_.traffic)
        session.SetTrafficHandler(hooks_.traffic);
    TLineReader reader(endpoint, BAUD,
                       {[&](std::string_view data) {
                            session.Feed(data);
                            if (hooks_.bytes)
                                hooks_.bytes(data);
                        },
                        [&session] { session.EndOfStream(); }, [&session](const QString& l) { session.Note(l); }});
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (hooks_.sample)
            hooks_.sample(endpoint, session);
        if (stop_)
            loop.quit();
    });
    poll.start(20);
    ready_ = true;
    loop.exec();
}
