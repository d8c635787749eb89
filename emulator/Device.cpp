#include "Device.h"

#include "CharTable.h"
#include "Glyphs.h"
#include "MemoryStream.h"

#include <QFile>

#include <algorithm>

namespace {

// 0 black, 2 white, 1 and 3 grey.
QRgb LevelColour(int value) {
    switch (value) {
    case 0:
        return 0xFF000000 | LEVEL_BLACK;
    case 2:
        return 0xFF000000 | LEVEL_WHITE;
    default:
        return 0xFF000000 | LEVEL_GREY;
    }
}

int RecordPixel(const std::string& glyphs, int code, int x, int y) {
    const auto byte = static_cast<std::uint8_t>(glyphs[code * GLYPH_RECORD_SIZE + 3 * y + x / 4]);
    return (byte >> (6 - 2 * (x % 4))) & 3;
}

} // namespace

std::optional<std::string> DefaultGlyphRecords() {
    QImage picture(QStringLiteral(":/DefaultChars.bmp"));
    if (picture.width() != CHARS_WIDTH || picture.height() != CHARS_HEIGHT)
        return std::nullopt;
    TMemoryStream stream;
    WriteCharsBitmap(picture.convertToFormat(QImage::Format_RGB32), stream);
    if (stream.Size() != GLYPH_SET_BYTES)
        return std::nullopt;
    return stream.Bytes();
}

std::string TEmulatedDevice::Apply(const TDeviceCommand& command) {
    switch (command.code) {
    case TCommand::SetCrossPosition:
        return SetCross(command);
    case TCommand::SetMode:
        return SetMode(command.params[0], false);
    case TCommand::StoreScreen:
        if (store_)
            store_(state_);
        return {};
    case TCommand::ClearScreen:
        state_.screen.fill(0);
        return {};
    case TCommand::WriteText:
        return WriteCells(command, true);
    case TCommand::LoadGlyph:
        return LoadGlyph(command);
    case TCommand::WriteCodes:
        return WriteCells(command, false);
    case TCommand::SetStoredMode:
        return SetMode(command.params[0], true);
    default:
        return "unknown command ignored";
    }
}

std::string TEmulatedDevice::SetCross(const TDeviceCommand& command) {
    const int x = command.params[0] << 8 | command.params[1];
    const int y = command.params[2] << 8 | command.params[3];
    state_.crossX = std::min(x, CROSS_MAX_X);
    state_.crossY = std::min(y, CROSS_MAX_Y);
    if (x > CROSS_MAX_X || y > CROSS_MAX_Y)
        return "position beyond the screen, held at its edge";
    return {};
}

std::string TEmulatedDevice::SetMode(std::uint8_t mode, bool stored) {
    if (mode != MODE_CROSS && mode != MODE_TEXT)
        return "unknown mode ignored";
    (stored ? state_.storedMode : state_.mode) = mode;
    return {};
}

// Commands 4 and 6: the row of cells from (column, row) rightwards; what
// falls beyond the right edge or below the screen is cut off.
std::string TEmulatedDevice::WriteCells(const TDeviceCommand& command, bool mapText) {
    const int column = command.params[0];
    const int row = command.params[1];
    const auto& bytes = command.payload;
    if (row >= SCREEN_ROWS || column >= SCREEN_COLUMNS)
        return bytes.empty() ? std::string() : "outside the screen, nothing written";
    const std::size_t room = static_cast<std::size_t>(SCREEN_COLUMNS - column);
    const std::size_t count = std::min(bytes.size(), room);
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        state_.screen[row * SCREEN_COLUMNS + column + i] = mapText ? CharToCode(byte) : byte;
    }
    if (count < bytes.size())
        return std::to_string(bytes.size() - count) + " cells beyond the right edge cut off";
    return {};
}

std::string TEmulatedDevice::LoadGlyph(const TDeviceCommand& command) {
    if (command.payload.size() != GLYPH_RECORD_SIZE)
        return "glyph record of wrong size ignored";
    state_.glyphs.replace(command.params[0] * GLYPH_RECORD_SIZE, GLYPH_RECORD_SIZE, command.payload);
    return {};
}

QImage TEmulatedDevice::Render() const {
    QImage image(SCREEN_COLUMNS * GLYPH_WIDTH, SCREEN_ROWS * GLYPH_HEIGHT, QImage::Format_RGB32);
    if (state_.mode == MODE_CROSS) {
        DrawCross(image);
        return image;
    }
    for (int row = 0; row < SCREEN_ROWS; ++row)
        for (int column = 0; column < SCREEN_COLUMNS; ++column)
            DrawGlyph(image, state_.Cell(column, row), column * GLYPH_WIDTH, row * GLYPH_HEIGHT);
    return image;
}

QImage TEmulatedDevice::RenderGlyph(int code) const {
    QImage image(GLYPH_WIDTH, GLYPH_HEIGHT, QImage::Format_RGB32);
    DrawGlyph(image, code & 0xFF, 0, 0);
    return image;
}

void TEmulatedDevice::DrawGlyph(QImage& image, int code, int left, int top) const {
    for (int y = 0; y < GLYPH_HEIGHT; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(top + y));
        for (int x = 0; x < GLYPH_WIDTH; ++x)
            line[left + x] = LevelColour(RecordPixel(state_.glyphs, code, x, y));
    }
}

// Cross mode: a one-pixel white vertical line at pixel column X and a
// horizontal one at pixel row 2Y, on grey, as the line glyphs draw them.
void TEmulatedDevice::DrawCross(QImage& image) const {
    image.fill(LevelColour(3));
    const QRgb white = LevelColour(2);
    for (int y = 0; y < image.height(); ++y)
        image.setPixel(state_.crossX, y, white);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(2 * state_.crossY));
    std::fill(line, line + image.width(), white);
}
