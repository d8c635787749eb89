#pragma once

#include "TextEvent.h"

#include <QDateTime>
#include <QString>

// The one wording of the text engine's reports. The source texts are the
// window's Polish lines; a program that installs the English translation
// (kr7ctl by default, the window with --lang en) gets them in English.
QString TextEventLine(const TTextEvent& event);

// The "last read" label of a file field, with the local date and time of now.
QString LastReadLine(const QDateTime& now);
