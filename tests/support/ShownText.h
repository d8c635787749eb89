#pragma once

#include <QString>

// A caption as the user sees it: a single '&' only underlines the letter
// after it, "&&" shows one '&'.
inline QString ShownText(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption.at(i);
    }
    return shown;
}
