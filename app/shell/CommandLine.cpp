#include "shell/CommandLine.h"

#include <array>

namespace {

// The toolkit's own options that take a value, and those that do not.
constexpr std::array QT_VALUE_OPTIONS = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title"};
constexpr std::array QT_FLAG_OPTIONS = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The option's name without its one or two dashes.
QString OptionName(const QString& arg) {
    return arg.startsWith(QStringLiteral("--")) ? arg.mid(2) : arg.mid(1);
}

template <typename List> bool Holds(const List& names, const QString& name) {
    for (const char* known : names)
        if (name == QLatin1String(known))
            return true;
    return false;
}

bool IsServiceSwitch(const QString& arg) {
    return arg.size() == 8 && (arg.at(0) == u'-' || arg.at(0) == u'/') &&
           arg.mid(1).compare(QStringLiteral("service"), Qt::CaseInsensitive) == 0;
}

// Takes the value of an option given as "--name value" or "--name=value".
bool TakeValue(const QStringList& args, qsizetype& i, const QString& name, QString& value, QString& error) {
    const QString& arg = args.at(i);
    const QString joined = QStringLiteral("--") + name + u'=';
    if (arg.startsWith(joined)) {
        value = arg.mid(joined.size());
        return true;
    }
    if (i + 1 >= args.size()) {
        error = QStringLiteral("option --%1 needs a value").arg(name);
        return false;
    }
    value = args.at(++i);
    return true;
}

bool IsOption(const QString& arg, const char* name) {
    const QString full = QStringLiteral("--") + QLatin1String(name);
    return arg == full || arg.startsWith(full + u'=');
}

} // namespace

TCommandLine ParseCommandLine(const QStringList& args) {
    TCommandLine line;
    for (qsizetype i = 1; i < args.size() && line.error.isEmpty(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
            line.help = true;
        } else if (arg == QStringLiteral("--version")) {
            line.version = true;
        } else if (IsServiceSwitch(arg)) {
            line.service = true;
        } else if (IsOption(arg, "lang")) {
            if (!TakeValue(args, i, QStringLiteral("lang"), line.language, line.error))
                break;
            line.language = line.language.toLower();
            if (line.language != QStringLiteral("en") && line.language != QStringLiteral("pl"))
                line.error = QStringLiteral("unknown language \"%1\" (en or pl)").arg(args.at(i).section(u'=', -1));
        } else if (IsOption(arg, "settings-dir")) {
            if (TakeValue(args, i, QStringLiteral("settings-dir"), line.settingsDir, line.error) &&
                line.settingsDir.isEmpty())
                line.error = QStringLiteral("option --settings-dir needs a folder");
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            const QString name = OptionName(arg);
            if (Holds(QT_VALUE_OPTIONS, name))
                ++i; // the toolkit reads its value itself
            else if (!Holds(QT_FLAG_OPTIONS, name) && !name.startsWith(QStringLiteral("qmljsdebugger=")))
                line.error = QStringLiteral("unknown option %1").arg(arg);
        } else {
            line.files << arg;
        }
    }
    return line;
}

QString UsageText() {
    return QStringLiteral("Usage: KR7Controller [-service] [--lang en|pl] [--settings-dir DIR] [PICTURE]\n"
                          "\n"
                          "Drives the KR-7 character display on a serial port (2400 baud).\n"
                          "\n"
                          "  -service, /service   also show the service page (any letter case)\n"
                          "  --lang en|pl         the window's language (also KR7_LANG=en); Polish by default\n"
                          "  --settings-dir DIR   keep KR7Controller.ini and LogoBitmap.bmp in DIR\n"
                          "  --help               show this help and exit\n"
                          "  --version            show the version and exit\n"
                          "  PICTURE              a BMP, JPEG, PNG or GIF picture to import as the logo\n"
                          "\n"
                          "Ports are named COM<n>. With KR7_PORTS naming a folder, its entry COM<n>\n"
                          "(usually a link to a tty) is port n; otherwise COM1..32 are /dev/ttyS0..31,\n"
                          "COM33..64 /dev/ttyUSB0..31 and COM65..96 /dev/ttyACM0..31.\n"
                          "\n"
                          "Settings are kept in $XDG_CONFIG_HOME/KR7Controller when the program is\n"
                          "installed; a copy run from another folder keeps them in KR7Controller.ini\n"
                          "beside itself when that folder is writable.");
}
