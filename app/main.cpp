// KR7Controller: the controller of the KR-7 character display.
#include "Codepage.h"
#include "shell/Application.h"
#include "shell/CloseOnSignals.h"
#include "shell/CommandLine.h"
#include "shell/Kr7unit1.h"
#include "shell/Language.h"
#include "shell/ProgramIcon.h"
#include "shell/SettingsLocation.h"
#include "shell/SingleInstance.h"
#include "shell/UserFolders.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QMessageBox>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

// While the toolkit starts, its messages are held back: when it cannot reach
// a display it would print several lines and abort. The program says so in
// one line and ends with status 1 instead.
QtMessageHandler previousHandler = nullptr;
QList<std::pair<QtMsgType, QString>>* heldMessages = nullptr;

void HoldStartMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("KR7Controller: cannot open a window: no usable display (is DISPLAY or WAYLAND_DISPLAY set?)\n",
                   stderr);
        std::_Exit(1);
    }
    if (heldMessages != nullptr)
        heldMessages->append({type, text});
    else if (previousHandler != nullptr)
        previousHandler(type, context, text);
}

void ReleaseStartMessages() {
    qInstallMessageHandler(previousHandler);
    const QList<std::pair<QtMsgType, QString>> held = *heldMessages;
    delete heldMessages;
    heldMessages = nullptr;
    for (const auto& [type, text] : held)
        qt_message_output(type, QMessageLogContext(), text);
}

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

QString ProgramSettingsFolder(const QString& given) {
    if (!given.isEmpty()) {
        QDir().mkpath(given);
        return QDir(given).absolutePath();
    }
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
    const TCommandLine line = ParseCommandLine(Arguments(argc, argv));
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "KR7Controller: %s\n\n%s\n", qPrintable(line.error), qPrintable(UsageText()));
        return 2;
    }
    if (line.help) {
        std::puts(qPrintable(UsageText()));
        return 0;
    }
    if (line.version) {
        std::printf("KR7Controller %s\n", KR7_VERSION);
        return 0;
    }

    heldMessages = new QList<std::pair<QtMsgType, QString>>;
    previousHandler = qInstallMessageHandler(HoldStartMessages);
    TApplication app(argc, argv);
    ReleaseStartMessages();
    // The window is designed for this style's paddings on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setApplicationName(QStringLiteral("KR7Controller"));
    QApplication::setApplicationVersion(QStringLiteral(KR7_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kr7controller"));
    QApplication::setWindowIcon(ProgramIcon());
    const std::unique_ptr<QTranslator> language = InstallLanguage(RequestedLanguage(
        QStringList{QString(), QStringLiteral("--lang=") + line.language}, QProcessEnvironment::systemEnvironment()));
    if (!CodepageAvailable()) {
        QMessageBox::critical(nullptr, QStringLiteral("KR7Controller"),
                              QStringLiteral("The Windows-1250 text codec is missing from this Qt installation."));
        return 1;
    }

    TFormOptions options;
    options.settingsDir = ProgramSettingsFolder(line.settingsDir);
    options.service = line.service;
    options.recoveryDir = StateHome(QProcessEnvironment::systemEnvironment()) + QStringLiteral("/KR7Controller");
    // One window per settings folder: a second would overwrite what the
    // first saves.
    TSingleInstance instance(options.settingsDir, RuntimeFolder());
    if (instance.HandOver(line.files)) {
        std::fprintf(stderr,
                     "KR7Controller: already running with the settings in %s; that window was brought to the front\n",
                     qPrintable(options.settingsDir));
        return 0;
    }
    TQtDialogs errors;
    const std::unique_ptr<TFormKR7> window = BuildMainWindow(options, errors);
    if (!window)
        return 1;
    TFormKR7& form = *window;

    const TCloseOnSignals closeOnSignals(form);

    QObject::connect(&instance, &TSingleInstance::Activated, &form, [&form](const QStringList& files) {
        form.BringToFront();
        form.OpenFiles(files);
    });

    form.show();
    form.OpenFiles(line.files);
    return QApplication::exec();
}
