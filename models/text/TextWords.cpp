#include "TextWords.h"

#include <QCoreApplication>
#include <QLocale>

#include <cerrno>

namespace {

QString WhyGone(int errorNumber) {
    switch (errorNumber) {
    case EIO:
        return QCoreApplication::translate("TTextWords", "błąd wejścia-wyjścia (EIO)");
    case ENXIO:
        return QCoreApplication::translate("TTextWords", "brak urządzenia (ENXIO)");
    case ENODEV:
        return QCoreApplication::translate("TTextWords", "urządzenie nie istnieje (ENODEV)");
    case EPIPE:
        return QCoreApplication::translate("TTextWords", "połączenie zerwane (EPIPE)");
    default:
        return QCoreApplication::translate("TTextWords", "błąd %1").arg(errorNumber);
    }
}

} // namespace

QString TextEventLine(const TTextEvent& event) {
    switch (event.fact) {
    case TTextFact::Connecting:
        return QCoreApplication::translate("TTextWords", "Trwa łączenie....");
    case TTextFact::Connected:
        return QCoreApplication::translate("TTextWords", "Port połączony.");
    case TTextFact::PortNumber:
        return QString::asprintf("Port: COM%i", event.number);
    case TTextFact::DeviceGone:
        return QCoreApplication::translate("TTextWords", "Urządzenie odłączone: %1.").arg(WhyGone(event.number));
    case TTextFact::NoTickerFile:
        return QCoreApplication::translate("TTextWords", "Nie wskazano pliku dla teletekstu poziomego.");
    case TTextFact::NoPagesFile:
        return QCoreApplication::translate("TTextWords", "Nie wskazano pliku dla teletekstu pionowego.");
    case TTextFact::FileMissing:
        return QCoreApplication::translate("TTextWords", "Plik nie istnieje: \"%1\".").arg(event.path);
    case TTextFact::FileUnreadable:
        return QCoreApplication::translate("TTextWords", "Błąd otwarcia pliku: \"%1\".").arg(event.path);
    }
    return {};
}

QString LastReadLine(const QDateTime& now) {
    const QLocale locale;
    return QCoreApplication::translate("TTextWords", "Ostatnio odczytany: %1 %2")
        .arg(locale.toString(now.date(), QLocale::ShortFormat), locale.toString(now.time(), QLocale::LongFormat));
}
