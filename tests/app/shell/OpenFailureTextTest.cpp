// The line that says why the port did not open, worded from each kind of
// failure and its facts; the window shows it as the last line of a failed
// connection (ConnectBoxTest, LanguageTest).
#include "shell/OpenFailureText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct TCase {
    const char* name;
    TOpenResult result;
    QString line;
};

TOpenResult Result(TOpenError error, const char* device, int errorNumber = 0) {
    TOpenResult result;
    result.error = error;
    result.device = device;
    result.errorNumber = errorNumber;
    return result;
}

TOpenResult Denied(const char* group, bool groupMayReadWrite) {
    TOpenResult result = Result(TOpenError::PermissionDenied, "/dev/ttyUSB0", EACCES);
    result.group = group;
    result.groupMayReadWrite = groupMayReadWrite;
    return result;
}

TOpenResult Busy(std::vector<TPortHolder> holders) {
    TOpenResult result = Result(TOpenError::Busy, "/dev/ttyUSB0", EBUSY);
    result.holders = std::move(holders);
    return result;
}

const QString JOIN = QStringLiteral("Przyczyna: brak uprawnień do /dev/ttyUSB0; użytkownik musi należeć do grupy "
                                    "dialout (sudo usermod -aG dialout $USER), a potem zalogować się ponownie.");
const QString ASK = QStringLiteral("Przyczyna: brak uprawnień do /dev/ttyUSB0; urządzenie nie jest dostępne dla swojej "
                                   "grupy, więc dołączenie do niej nie pomoże. Poproś administratora o regułę udev, "
                                   "która da grupie dialout odczyt i zapis (GROUP=\"dialout\", MODE=\"0660\", jak w "
                                   "README).");

} // namespace

TEST(OpenFailureText, EachKindOfFailureIsWordedFromItsFacts) {
    const TCase cases[] = {
        {"opened", Result(TOpenError::None, "/dev/ttyUSB0"), QString()},
        {"no device", Result(TOpenError::NoSuchDevice, "/dev/ttyUSB0", ENOENT),
         QStringLiteral("Przyczyna: nie ma takiego urządzenia (/dev/ttyUSB0).")},
        {"no name", Result(TOpenError::NoSuchDevice, ""),
         QStringLiteral("Przyczyna: nie ma takiego urządzenia (nazwa portu nie wskazuje żadnego).")},
        {"group may", Denied("dialout", true), JOIN},
        {"group may not", Denied("dialout", false), ASK},
        {"root's group", Denied("root", true), ASK},
        {"unknown group", Denied("", true), ASK},
        {"busy", Busy({{"minicom", 41}, {"screen", 42}}),
         QStringLiteral("Przyczyna: port /dev/ttyUSB0 jest zajęty przez inny program (minicom (PID 41), screen (PID "
                        "42)).")},
        {"busy, holder unknown", Busy({}),
         QStringLiteral("Przyczyna: port /dev/ttyUSB0 jest zajęty przez inny program.")},
        {"not serial", Result(TOpenError::NotSerial, "/tmp/file", ENOTTY),
         QStringLiteral("Przyczyna: /tmp/file nie jest portem szeregowym.")},
        {"failed", Result(TOpenError::Failed, "/dev/ttyS0", EIO),
         QStringLiteral("Przyczyna: system odmówił otwarcia /dev/ttyS0 (%1).")
             .arg(QString::fromLocal8Bit(std::strerror(EIO)))},
        {"failed, no errno", Result(TOpenError::Failed, "/dev/ttyS0"),
         QStringLiteral("Przyczyna: system odmówił otwarcia /dev/ttyS0.")},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(OpenFailureLine(c.result), c.line) << c.name;
}
