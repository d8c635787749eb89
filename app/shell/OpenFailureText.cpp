#include "shell/OpenFailureText.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstring>

namespace {

QString Device(const TOpenResult& result) {
    return QString::fromStdString(result.device);
}

QString NoSuchDevice(const TOpenResult& result) {
    if (result.device.empty())
        return QCoreApplication::translate("TOpenFailure",
                                           "Przyczyna: nie ma takiego urządzenia (nazwa portu nie wskazuje żadnego).");
    return QCoreApplication::translate("TOpenFailure", "Przyczyna: nie ma takiego urządzenia (%1).")
        .arg(Device(result));
}

// Joining the device's group helps only when the group may read and write
// it; root's group is no group to join.
QString PermissionDenied(const TOpenResult& result) {
    const QString group = QString::fromStdString(result.group);
    if (result.groupMayReadWrite && !group.isEmpty() && group != QStringLiteral("root"))
        return QCoreApplication::translate(
                   "TOpenFailure",
                   "Przyczyna: brak uprawnień do %1; użytkownik musi należeć do grupy %2 (sudo usermod -aG %2 $USER), "
                   "a potem zalogować się ponownie.")
            .arg(Device(result), group);
    return QCoreApplication::translate(
               "TOpenFailure",
               "Przyczyna: brak uprawnień do %1; urządzenie nie jest dostępne dla swojej grupy, więc dołączenie do "
               "niej nie pomoże. Poproś administratora o regułę udev, która da grupie dialout odczyt i zapis "
               "(GROUP=\"dialout\", MODE=\"0660\", jak w README).")
        .arg(Device(result));
}

QString Busy(const TOpenResult& result) {
    if (result.holders.empty())
        return QCoreApplication::translate("TOpenFailure", "Przyczyna: port %1 jest zajęty przez inny program.")
            .arg(Device(result));
    QStringList holders;
    for (const TPortHolder& holder : result.holders)
        holders << QStringLiteral("%1 (PID %2)").arg(QString::fromStdString(holder.name)).arg(holder.pid);
    return QCoreApplication::translate("TOpenFailure", "Przyczyna: port %1 jest zajęty przez inny program (%2).")
        .arg(Device(result), holders.join(u", "));
}

QString Failed(const TOpenResult& result) {
    if (result.errorNumber == 0)
        return QCoreApplication::translate("TOpenFailure", "Przyczyna: system odmówił otwarcia %1.")
            .arg(Device(result));
    return QCoreApplication::translate("TOpenFailure", "Przyczyna: system odmówił otwarcia %1 (%2).")
        .arg(Device(result), QString::fromLocal8Bit(std::strerror(result.errorNumber)));
}

} // namespace

QString OpenFailureLine(const TOpenResult& result) {
    switch (result.error) {
    case TOpenError::None:
        return {};
    case TOpenError::NoSuchDevice:
        return NoSuchDevice(result);
    case TOpenError::PermissionDenied:
        return PermissionDenied(result);
    case TOpenError::Busy:
        return Busy(result);
    case TOpenError::NotSerial:
        return QCoreApplication::translate("TOpenFailure", "Przyczyna: %1 nie jest portem szeregowym.")
            .arg(Device(result));
    case TOpenError::Failed:
        break;
    }
    return Failed(result);
}
