// KR7Controller: the controller of the KR-7 character display.
#include "Application.h"
#include "Codepage.h"
#include "Kr7unit1.h"
#include "Language.h"
#include "ProgramIcon.h"
#include "SettingsLocation.h"
#include "UserFolders.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Signals arrive on this pair; the window closes from the event loop.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void InstallSignalHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void PrintUsage() {
    std::puts("Usage: KR7Controller [-service] [--lang en]\n"
              "\n"
              "Drives the KR-7 character display on a serial port (2400 baud).\n"
              "\n"
              "  -service, /service   also show the service page (any letter case)\n"
              "  --lang en            English texts in the window (also KR7_LANG=en)\n"
              "  --help               show this help and exit\n"
              "  --version            show the version and exit\n"
              "\n"
              "Ports are named COM<n>. With KR7_PORTS naming a folder, its entry COM<n>\n"
              "(usually a link to a tty) is port n; otherwise COM1..32 are /dev/ttyS0..31,\n"
              "COM33..64 /dev/ttyUSB0..31 and COM65..96 /dev/ttyACM0..31.\n"
              "\n"
              "Settings are kept in $XDG_CONFIG_HOME/KR7Controller when the program is\n"
              "installed; a copy run from another folder keeps them in KR7Controller.ini\n"
              "beside itself when that folder is writable.");
}

QString ProgramSettingsFolder() {
    TProgramPlace place;
    place.programDir = QCoreApplication::applicationDirPath();
    place.programDirWritable = QFileInfo(place.programDir).isWritable();
    place.installBinDir = QStringLiteral(KR7_INSTALL_BINDIR);
    const QString folder = SettingsFolder(place, QProcessEnvironment::systemEnvironment());
    QDir().mkpath(folder);
    return folder;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("KR7Controller %s\n", KR7_VERSION);
            return 0;
        }
    }

    TApplication app(argc, argv);
    // The window is designed for this style's paddings on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setApplicationName(QStringLiteral("KR7Controller"));
    QApplication::setApplicationVersion(QStringLiteral(KR7_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kr7controller"));
    QApplication::setWindowIcon(ProgramIcon());
    const std::unique_ptr<QTranslator> language =
        InstallLanguage(RequestedLanguage(QCoreApplication::arguments(), QProcessEnvironment::systemEnvironment()));
    if (!CodepageAvailable()) {
        QMessageBox::critical(nullptr, QStringLiteral("KR7Controller"),
                              QStringLiteral("The Windows-1250 text codec is missing from this Qt installation."));
        return 1;
    }

    InstallSignalHandlers();
    TFormOptions options;
    options.settingsDir = ProgramSettingsFolder();
    options.service = HasServiceSwitch(QCoreApplication::arguments());
    options.recoveryDir = StateHome(QProcessEnvironment::systemEnvironment()) + QStringLiteral("/KR7Controller");
    TQtDialogs errors;
    const std::unique_ptr<TFormKR7> window = BuildMainWindow(options, errors);
    if (!window)
        return 1;
    TFormKR7& form = *window;

    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &form, [&form] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
        form.ForceClose();
    });

    form.show();
    return QApplication::exec();
}
