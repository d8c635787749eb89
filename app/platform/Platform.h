#pragma once

#include <QDateTime>

// Time as the window uses it: the pause after connecting and the clock of the
// "last read" labels. Tests replace it so nothing sleeps.
class TPlatform {
public:
    virtual ~TPlatform() = default;
    virtual void Sleep(int milliseconds);
    virtual QDateTime Now();
};
