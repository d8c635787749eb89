#include "PictureFaultText.h"

namespace {

std::string FormatName(TPictureFormat format) {
    switch (format) {
    case TPictureFormat::Jpeg:
        return "JPEG";
    case TPictureFormat::Bmp:
        return "BMP";
    case TPictureFormat::Png:
        return "PNG";
    case TPictureFormat::Gif:
        return "GIF";
    case TPictureFormat::Tiff:
        return "TIFF";
    case TPictureFormat::Webp:
        return "WebP";
    case TPictureFormat::Unknown:
        break;
    }
    return "unknown";
}

// The extension as the name has it, with its dot.
std::string Extension(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    return fileName.substr(dot);
}

std::string UnsupportedText(const TPictureResult& result) {
    const std::string bits = std::to_string(result.bits);
    switch (result.variant) {
    case TPictureVariant::SampleBits:
        return bits + "-bit JPEG pictures are not supported";
    case TPictureVariant::JpegProcess:
        return "lossless and hierarchical JPEG pictures are not supported";
    case TPictureVariant::PixelBits:
        return bits + "-bit BMP pictures are not supported";
    case TPictureVariant::EmbeddedFormat:
        return "BMP pictures holding a " + FormatName(result.content) + " picture are not supported";
    case TPictureVariant::Compression:
        return "BMP pictures with compression method " + bits + " are not supported";
    case TPictureVariant::NoReader:
    case TPictureVariant::None:
        break;
    }
    return "support for " + FormatName(result.named) + " pictures is not installed (qt6-image-formats-plugins)";
}

} // namespace

std::string PictureFaultText(const TPictureResult& result, const std::string& fileName) {
    switch (result.fault) {
    case TPictureFault::UnknownFormat:
        return "not a BMP, JPEG, PNG, GIF, TIFF or WebP picture";
    case TPictureFault::NamedWrongly:
        return "a " + FormatName(result.content) + " picture named " + Extension(fileName);
    case TPictureFault::Unsupported:
        return UnsupportedText(result);
    case TPictureFault::CannotOpen:
        return "the file cannot be read";
    case TPictureFault::Damaged:
        return "the picture is truncated or damaged";
    case TPictureFault::TooLarge:
        return "the picture is too large";
    case TPictureFault::None:
        break;
    }
    return "unknown fault";
}
