// The one wording of the text engine: the window's Polish lines as source,
// English once the program's translation is installed.
#include "TextWords.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

QStringList AllLines() {
    const QString path = QStringLiteral("/tmp/a b.txt");
    return {TextEventLine({TTextFact::Connecting}),           TextEventLine({TTextFact::Connected}),
            TextEventLine({TTextFact::PortNumber, 3}),        TextEventLine({TTextFact::DeviceGone, EIO}),
            TextEventLine({TTextFact::DeviceGone, ENXIO}),    TextEventLine({TTextFact::DeviceGone, ENODEV}),
            TextEventLine({TTextFact::DeviceGone, EPIPE}),    TextEventLine({TTextFact::DeviceGone, 77}),
            TextEventLine({TTextFact::NoTickerFile}),         TextEventLine({TTextFact::NoPagesFile}),
            TextEventLine({TTextFact::FileMissing, 0, path}), TextEventLine({TTextFact::FileUnreadable, 0, path})};
}

TEST(TextWords, ThePolishLinesOfTheWindow) {
    EXPECT_EQ(AllLines(), (QStringList{QStringLiteral("Trwa łączenie...."), QStringLiteral("Port połączony."),
                                       QStringLiteral("Port: COM3"),
                                       QStringLiteral("Urządzenie odłączone: błąd wejścia-wyjścia (EIO)."),
                                       QStringLiteral("Urządzenie odłączone: brak urządzenia (ENXIO)."),
                                       QStringLiteral("Urządzenie odłączone: urządzenie nie istnieje (ENODEV)."),
                                       QStringLiteral("Urządzenie odłączone: połączenie zerwane (EPIPE)."),
                                       QStringLiteral("Urządzenie odłączone: błąd 77."),
                                       QStringLiteral("Nie wskazano pliku dla teletekstu poziomego."),
                                       QStringLiteral("Nie wskazano pliku dla teletekstu pionowego."),
                                       QStringLiteral("Plik nie istnieje: \"/tmp/a b.txt\"."),
                                       QStringLiteral("Błąd otwarcia pliku: \"/tmp/a b.txt\".")}));
    EXPECT_TRUE(LastReadLine(QDateTime::currentDateTime()).startsWith(QStringLiteral("Ostatnio odczytany: ")));
}

TEST(TextWords, EnglishOnceTheTranslationIsInstalled) {
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/translations/kr7controller_en.qm")));
    ASSERT_TRUE(QCoreApplication::installTranslator(&english));
    const QStringList lines = AllLines();
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Connecting...."), QStringLiteral("Port connected."),
                                  QStringLiteral("Port: COM3"),
                                  QStringLiteral("Device disconnected: input/output error (EIO)."),
                                  QStringLiteral("Device disconnected: no such device (ENXIO)."),
                                  QStringLiteral("Device disconnected: the device does not exist (ENODEV)."),
                                  QStringLiteral("Device disconnected: connection broken (EPIPE)."),
                                  QStringLiteral("Device disconnected: error 77."),
                                  QStringLiteral("No file chosen for the horizontal ticker."),
                                  QStringLiteral("No file chosen for the vertical pages."),
                                  QStringLiteral("The file does not exist: \"/tmp/a b.txt\"."),
                                  QStringLiteral("Error opening the file: \"/tmp/a b.txt\".")}));
}

} // namespace
