#include "logo/PictureFaultText.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString FormatName(TPictureFormat format) {
    switch (format) {
    case TPictureFormat::Jpeg:
        return QStringLiteral("JPEG");
    case TPictureFormat::Bmp:
        return QStringLiteral("BMP");
    case TPictureFormat::Png:
        return QStringLiteral("PNG");
    case TPictureFormat::Gif:
        return QStringLiteral("GIF");
    case TPictureFormat::Tiff:
        return QStringLiteral("TIFF");
    case TPictureFormat::Webp:
        return QStringLiteral("WebP");
    case TPictureFormat::Unknown:
        break;
    }
    return QString();
}

QString UnsupportedText(const TPictureResult& result) {
    switch (result.variant) {
    case TPictureVariant::SampleBits:
        return QCoreApplication::translate("TLogoPage", "Obrazy JPEG o %1 bitach na próbkę nie są obsługiwane.")
            .arg(result.bits);
    case TPictureVariant::JpegProcess:
        return QCoreApplication::translate("TLogoPage", "Obrazy JPEG bezstratne i hierarchiczne nie są obsługiwane.");
    case TPictureVariant::PixelBits:
        return QCoreApplication::translate("TLogoPage", "Obrazy BMP o %1 bitach na piksel nie są obsługiwane.")
            .arg(result.bits);
    case TPictureVariant::EmbeddedFormat:
        return QCoreApplication::translate("TLogoPage", "Obrazy BMP zawierające obraz %1 nie są obsługiwane.")
            .arg(FormatName(result.content));
    case TPictureVariant::Compression:
        return QCoreApplication::translate("TLogoPage", "Obrazy BMP z kompresją nr %1 nie są obsługiwane.")
            .arg(result.bits);
    case TPictureVariant::NoReader:
    case TPictureVariant::None:
        break;
    }
    return QCoreApplication::translate("TLogoPage", "Obsługa obrazów %1 nie jest zainstalowana.")
        .arg(FormatName(result.named));
}

} // namespace

QString PictureFaultText(const TPictureResult& result, const QString& fileName) {
    switch (result.fault) {
    case TPictureFault::UnknownFormat:
        return QCoreApplication::translate("TLogoPage", "Nieznany format pliku.");
    case TPictureFault::NamedWrongly:
        return QCoreApplication::translate("TLogoPage", "Obraz %1 w pliku .%2.")
            .arg(FormatName(result.content), QFileInfo(fileName).suffix());
    case TPictureFault::Unsupported:
        return UnsupportedText(result);
    case TPictureFault::CannotOpen:
        return QCoreApplication::translate("TLogoPage", "Nie można otworzyć pliku.");
    case TPictureFault::TooLarge:
        return QCoreApplication::translate("TLogoPage", "Obraz jest za duży.");
    case TPictureFault::Damaged:
    case TPictureFault::None:
        break;
    }
    return QCoreApplication::translate("TLogoPage", "Plik jest uszkodzony lub niepełny.");
}
