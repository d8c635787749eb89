#pragma once

#include <QtMessageHandler>

class QThread;

// While it lives, the messages that Qt and its image plugins give
// on the creating thread (a damaged picture's "qt.gui.imageio: ..." lines)
// are dropped: a refused picture is reported once, by the program, with its
// reason. Messages of other threads and
// fatal ones pass on as before.
class TQuietImageIo {
public:
    TQuietImageIo();
    ~TQuietImageIo();
    TQuietImageIo(const TQuietImageIo&) = delete;
    TQuietImageIo& operator=(const TQuietImageIo&) = delete;

private:
    bool owner_ = false; // the outermost guard, which put the handler in place
};
