#pragma once

#include <QString>
#include <QtGlobal>

#include <string>

class QIODevice;

enum class TReadResult {
    Ok,
    Missing,  // no such file
    TooLarge, // more than the limit
    Failed,   // a folder, a device where only files are read, or a read error
};

struct TBoundedRead {
    TReadResult result = TReadResult::Failed;
    std::string bytes;  // the whole text when Ok
    std::string reason; // the system's words for Failed
};

// Reads a whole text file of at most limit bytes. Only regular files are
// read: a device or a pipe could keep a timed re-read waiting. A file larger
// than the limit is refused without reading it; one that grows past the limit
// while read is refused after limit + 1 bytes.
TBoundedRead ReadTextFile(const QString& path, qint64 limit);

// Reads what an open device (a pipe, a terminal, /dev/zero, a file) gives
// until its end, but never more than limit + 1 bytes: past the limit it is
// refused as TooLarge at once.
TBoundedRead ReadTextStream(QIODevice& device, qint64 limit);

// A text input of kr7ctl: "-" is standard input, any other name a file, a
// pipe or a device, all read by ReadTextStream.
TBoundedRead ReadTextInput(const QString& name, qint64 limit);
