#include "shell/FormOptions.h"

bool HasServiceSwitch(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg.size() != 8 || (arg.at(0) != u'-' && arg.at(0) != u'/'))
            continue;
        if (arg.mid(1).compare(QStringLiteral("service"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
