// kr7-emulator: a stand-in for the KR-7 display on a pseudo-terminal.

#include "EmulatorWindow.h"
#include "LineReader.h"
#include "PtyEndpoint.h"
#include "Session.h"
#include "StateFile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QPoint>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct TOptions {
    QString port = QStringLiteral("COM1");
    QString portsDir;
    QString statePath;
    QString dumpPath;
    QString logPath;
    int baud = 2400;
    bool headless = false;
    std::optional<QPoint> position; // where the window goes; none: the desktop decides
};

void Say(const QString& text) {
    std::fprintf(stderr, "kr7-emulator: %s\n", qPrintable(text));
}

std::optional<TOptions> ParseOptions(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A stand-in for the KR-7 display on a pseudo-terminal."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Port name to publish (default COM1)."), QStringLiteral("COMn")},
        {QStringLiteral("ports-dir"), QStringLiteral("Folder of published ports (default $KR7_PORTS)."),
         QStringLiteral("DIR")},
        {QStringLiteral("baud"), QStringLiteral("Line speed to pace reading at; 0 reads at once (default 2400)."),
         QStringLiteral("N")},
        {QStringLiteral("headless"), QStringLiteral("Run without a window.")},
        {QStringLiteral("dump"), QStringLiteral("Write the screen to this PNG on exit and on SIGUSR1."),
         QStringLiteral("FILE")},
        {QStringLiteral("log"), QStringLiteral("Write the decoded traffic to this file."), QStringLiteral("FILE")},
        {QStringLiteral("state"), QStringLiteral("The display's kept state (default under $XDG_STATE_HOME)."),
         QStringLiteral("FILE")},
        {QStringLiteral("position"), QStringLiteral("Put the window's top left corner at X,Y on the screen."),
         QStringLiteral("X,Y")},
    });
    if (!parser.parse(args)) {
        Say(parser.errorText());
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // No application object exists yet, so Qt cannot name the program itself.
        QString help = parser.helpText();
        help.replace(QStringLiteral("<executable_name>"), QStringLiteral("kr7-emulator"));
        std::fputs(qPrintable(help), stdout);
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("kr7-emulator %s\n", KR7_VERSION);
        std::exit(0);
    }
    TOptions options;
    options.headless = parser.isSet(QStringLiteral("headless"));
    if (parser.isSet(QStringLiteral("port")))
        options.port = parser.value(QStringLiteral("port")).toUpper();
    if (!QRegularExpression(QStringLiteral("^COM[1-9][0-9]{0,2}$")).match(options.port).hasMatch()) {
        Say(QStringLiteral("--port takes a name like COM1, not \"%1\"").arg(options.port));
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("baud"))) {
        bool ok = false;
        options.baud = parser.value(QStringLiteral("baud")).toInt(&ok);
        if (!ok || options.baud < 0 || options.baud > 4'000'000) {
            Say(QStringLiteral("--baud takes 0 or a line speed such as 2400"));
            return std::nullopt;
        }
    }
    options.portsDir =
        parser.isSet(QStringLiteral("ports-dir")) ? parser.value(QStringLiteral("ports-dir")) : DefaultPortsFolder();
    options.statePath =
        parser.isSet(QStringLiteral("state")) ? parser.value(QStringLiteral("state")) : DefaultStatePath();
    if (parser.isSet(QStringLiteral("position"))) {
        const QRegularExpressionMatch xy = QRegularExpression(QStringLiteral("^(-?[0-9]{1,5}),(-?[0-9]{1,5})$"))
                                               .match(parser.value(QStringLiteral("position")));
        if (!xy.hasMatch()) {
            Say(QStringLiteral("--position takes X,Y in pixels, such as 420,40"));
            return std::nullopt;
        }
        options.position = QPoint(xy.captured(1).toInt(), xy.captured(2).toInt());
    }
    options.dumpPath = parser.value(QStringLiteral("dump"));
    options.logPath = parser.value(QStringLiteral("log"));
    return options;
}

bool DisplayAvailable() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Signals reach the event loop through a socket pair.
int signalPipe[2] = {-1, -1};

void OnSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

bool InstallSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGINT, SIGTERM, SIGHUP, SIGUSR1})
        ::sigaction(number, &action, nullptr);
    return true;
}

void Dump(const TEmulatorSession& session, const QString& path) {
    if (path.isEmpty())
        return;
    if (!session.Device().Render().save(path, "PNG"))
        Say(QStringLiteral("cannot write the screen to %1").arg(path));
}

int Run(const TOptions& options) {
    TPtyEndpoint endpoint;
    QString error;
    if (!endpoint.Open(error) || !endpoint.Publish(options.portsDir, options.port, error)) {
        Say(error);
        return 1;
    }
    QString notice;
    TEmulatorSession session(PowerOnState(options.statePath, notice), options.statePath, options.baud);
    session.SetLineProbe([&endpoint] { return endpoint.Waiting(); });
    Say(notice);
    if (!options.logPath.isEmpty() && !session.OpenLog(options.logPath, error)) {
        Say(error);
        return 1;
    }
    Say(QStringLiteral("%1 is %2 in %3")
            .arg(options.port, QString::fromStdString(endpoint.SlavePath()), options.portsDir));
    std::printf("export KR7_PORTS=%s\n", qPrintable(options.portsDir));
    std::fflush(stdout);

    std::unique_ptr<TEmulatorWindow> window;
    if (!options.headless) {
        window = std::make_unique<TEmulatorWindow>(
            session, QStringLiteral("%1 in %2 (%3 baud)").arg(options.port, options.portsDir).arg(options.baud));
        session.SetTrafficHandler([w = window.get()](const QString& line) { w->AppendTraffic(line); });
        if (options.position)
            window->move(*options.position);
        window->show();
    }
    TLineReader reader(endpoint, options.baud,
                       {[&session](std::string_view bytes) { session.Feed(bytes); },
                        [&session] { session.EndOfStream(); },
                        [&session](const QString& line) { session.Note(line); }});

    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &signalNotifier, [&] {
        char number = 0;
        if (::read(signalPipe[0], &number, 1) != 1)
            return;
        if (number == SIGUSR1) {
            Dump(session, options.dumpPath);
            return;
        }
        QCoreApplication::quit();
    });

    const int code = QCoreApplication::exec();
    session.EndOfStream();
    Dump(session, options.dumpPath);
    Say(session.CountersText());
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const auto options = ParseOptions(args);
    if (!options)
        return 2;
    if (!options->headless && !DisplayAvailable()) {
        Say(QStringLiteral("no display available; use --headless"));
        return 2;
    }
    if (!InstallSignals()) {
        Say(QStringLiteral("cannot set up signal handling"));
        return 1;
    }
    std::unique_ptr<QCoreApplication> app;
    if (options->headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    return Run(*options);
}
