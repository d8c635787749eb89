#include "platform/Platform.h"

#include <QThread>

void TPlatform::Sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

QDateTime TPlatform::Now() {
    return QDateTime::currentDateTime();
}
