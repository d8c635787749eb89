#include "Device.h"

#include "PtyPort.h"
#include "Session.h"
#include "StateFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr QRgb BLACK = 0xFF000000;
constexpr QRgb GREY = 0xFF808080;
constexpr QRgb WHITE = 0xFFFFFFFF;

TDeviceCommand Command(const std::string& hex) {
    TDeviceCommand command;
    TFrameParser parser([&command](const TParserEvent& e) {
        if (e.kind == TParserEvent::TKind::Command)
            command = e.command;
    });
    parser.Feed(FromHex(hex));
    return command;
}

TDeviceState DefaultState() {
    TDeviceState state;
    state.glyphs = DefaultGlyphRecords().value_or(state.glyphs);
    return state;
}

QImage DefaultCell(int code) {
    const QImage chars = QImage(":/DefaultChars.bmp").convertToFormat(QImage::Format_RGB32);
    return chars.copy(12 * (code & 15), 18 * (code >> 4), 12, 18);
}

QImage ScreenCell(const QImage& screen, int column, int row) {
    return screen.copy(12 * column, 18 * row, 12, 18);
}

} // namespace

TEST(EmulatedDevice, DefaultGlyphsComeFromTheBuiltInSet) {
    const auto glyphs = DefaultGlyphRecords();
    ASSERT_TRUE(glyphs.has_value());
    ASSERT_EQ(glyphs->size(), 256u * 54u);
    EXPECT_EQ(glyphs->substr(0, 54), std::string(54, '\xFF'));        // blank
    EXPECT_EQ(glyphs->substr(113 * 54, 54), std::string(54, '\xAA')); // all white
    EXPECT_EQ(glyphs->substr(114 * 54, 54), std::string(54, '\x00')); // all black
}

TEST(EmulatedDevice, WriteTextMapsCharactersAndClipsAtTheEdge) {
    TEmulatedDevice device(DefaultState());
    // "a b" at column 27 of row 8: a, space, b fit; the rest is cut off.
    EXPECT_EQ(device.Apply(Command("FF 00 04 1B 08 05 00 00 00 2C 61 20 62 A5 63")),
              "2 cells beyond the right edge cut off");
    EXPECT_EQ(device.State().Cell(27, 8), 46);
    EXPECT_EQ(device.State().Cell(28, 8), 0);
    EXPECT_EQ(device.State().Cell(29, 8), 48);
    EXPECT_EQ(device.State().Cell(0, 9), 0); // no wrap to the next row
    // Below the screen: nothing written.
    const auto before = device.State().screen;
    EXPECT_FALSE(device.Apply(Command("FF 00 04 00 10 01 00 00 00 15 61")).empty());
    EXPECT_EQ(device.State().screen, before);

    device.Apply(Command("FF 00 04 00 00 01 00 00 00 05 A5")); // Ą
    EXPECT_EQ(device.State().Cell(0, 0), 12);

    const QImage screen = device.Render();
    ASSERT_EQ(screen.size(), QSize(360, 288));
    ASSERT_EQ(screen.format(), QImage::Format_RGB32);
    EXPECT_EQ(ScreenCell(screen, 0, 0), DefaultCell(12));
    EXPECT_EQ(ScreenCell(screen, 27, 8), DefaultCell(46));
    EXPECT_EQ(ScreenCell(screen, 29, 8), DefaultCell(48));
}

TEST(EmulatedDevice, WriteCodesIsRawAndClearScreenBlanks) {
    TEmulatedDevice device(DefaultState());
    EXPECT_EQ(device.Apply(Command("FF 00 06 02 0F 04 00 00 00 1B 00 FF 71 72")), "");
    EXPECT_EQ(device.State().Cell(2, 15), 0);
    EXPECT_EQ(device.State().Cell(3, 15), 255);
    EXPECT_EQ(device.State().Cell(4, 15), 113);
    EXPECT_EQ(device.State().Cell(5, 15), 114);
    const QImage screen = device.Render();
    EXPECT_EQ(screen.pixel(4 * 12 + 5, 15 * 18 + 9), WHITE);
    EXPECT_EQ(screen.pixel(5 * 12 + 5, 15 * 18 + 9), BLACK);
    EXPECT_EQ(screen.pixel(0, 0), GREY);

    device.Apply(Command("FF 00 03 00 00 00 00 00 00 03"));
    for (int cell = 0; cell < SCREEN_CELLS; ++cell)
        EXPECT_EQ(device.State().screen[cell], 0);
}

TEST(EmulatedDevice, LoadGlyphDrawsFromTheDevicesOwnMemory) {
    TEmulatedDevice device(DefaultState());
    // Row 0 of glyph 46: white, grey (value 1), black, grey (value 3), then black.
    std::string record(54, '\x00');
    record[0] = static_cast<char>(0x93); // 10 01 00 11
    TDeviceCommand load;
    load.code = TCommand::LoadGlyph;
    load.params[0] = 46;
    load.payload = record;
    device.Apply(load);
    EXPECT_EQ(device.State().GlyphRecord(46), record);
    device.Apply(Command("FF 00 04 00 00 01 00 00 00 05 61")); // "a" is glyph 46
    const QImage screen = device.Render();
    EXPECT_EQ(screen.pixel(0, 0), WHITE);
    EXPECT_EQ(screen.pixel(1, 0), GREY);
    EXPECT_EQ(screen.pixel(2, 0), BLACK);
    EXPECT_EQ(screen.pixel(3, 0), GREY);
    EXPECT_EQ(screen.pixel(4, 0), BLACK);
    EXPECT_EQ(screen.pixel(11, 17), BLACK);
    EXPECT_EQ(device.RenderGlyph(46), ScreenCell(screen, 0, 0));
}

TEST(EmulatedDevice, ModesAndCross) {
    TEmulatedDevice device(DefaultState());
    device.Apply(Command("FF 00 01 00 00 00 00 00 00 01")); // SetMode(0)
    EXPECT_EQ(device.State().mode, MODE_CROSS);
    EXPECT_EQ(device.State().storedMode, MODE_TEXT);
    device.Apply(Command("FF 00 07 00 00 00 00 00 00 07")); // SetStoredMode(0)
    EXPECT_EQ(device.State().storedMode, MODE_CROSS);
    EXPECT_FALSE(device.Apply(Command("FF 00 01 05 00 00 00 00 00 06")).empty());
    EXPECT_EQ(device.State().mode, MODE_CROSS);

    device.Apply(Command("FF 00 00 01 67 00 8F 00 00 F7")); // (359, 143)
    EXPECT_EQ(device.State().crossX, 359);
    EXPECT_EQ(device.State().crossY, 143);
    QImage screen = device.Render();
    EXPECT_EQ(screen.pixel(359, 0), WHITE);
    EXPECT_EQ(screen.pixel(359, 287), WHITE);
    EXPECT_EQ(screen.pixel(0, 286), WHITE);
    EXPECT_EQ(screen.pixel(0, 287), GREY);
    EXPECT_EQ(screen.pixel(358, 0), GREY);

    device.Apply(Command("FF 00 00 00 B4 00 48 00 00 FC")); // (180, 72)
    screen = device.Render();
    EXPECT_EQ(screen.pixel(180, 5), WHITE);
    EXPECT_EQ(screen.pixel(5, 144), WHITE);
    EXPECT_EQ(screen.pixel(5, 145), GREY);
    EXPECT_EQ(screen.pixel(181, 5), GREY);

    // Beyond the screen: held at its edge.
    EXPECT_FALSE(device.Apply(Command("FF 00 00 FF FF FF FF 00 00 FC")).empty());
    EXPECT_EQ(device.State().crossX, 359);
    EXPECT_EQ(device.State().crossY, 143);
}

TEST(EmulatorState, KeptOnlyOnStoreScreenAndRestoredAtTheNextStart) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/state.bin");
    QString notice;
    {
        TEmulatorSession session(PowerOnState(path, notice), path, 0);
        session.Feed(FromHex("FF 00 04 00 08 03 00 00 00 0F 61 62 63"));
        session.Feed(FromHex("FF 00 00 00 B4 00 48 00 00 FC"));
        session.Feed(FromHex("FF 00 01 00 00 00 00 00 00 01 FF 00 07 00 00 00 00 00 00 07"));
        EXPECT_FALSE(QFile::exists(path)) << "written without StoreScreen";
        EXPECT_EQ(session.StoresWritten(), 0);
    }
    EXPECT_FALSE(QFile::exists(path));

    TDeviceState kept;
    {
        TEmulatorSession session(PowerOnState(path, notice), path, 0);
        EXPECT_EQ(session.Device().State().Cell(0, 8), 0) << "the screen outlived a restart without StoreScreen";
        std::string glyphFrame = FromHex("FF 00 05 73 00 00 00 00 00 78") + std::string(54, '\xAA');
        session.Feed(FromHex("FF 00 04 00 08 03 00 00 00 0F 61 62 63") + glyphFrame);
        session.Feed(FromHex("FF 00 00 00 B4 00 48 00 00 FC"));
        session.Feed(FromHex("FF 00 01 00 00 00 00 00 00 01 FF 00 07 00 00 00 00 00 00 07"));
        session.Feed(FromHex("FF 00 02 00 00 00 00 00 00 02"));
        EXPECT_EQ(session.StoresWritten(), 1);
        kept = session.Device().State();
        // Changes after the store are not kept.
        session.Feed(FromHex("FF 00 03 00 00 00 00 00 00 03"));
    }
    EXPECT_EQ(QFile(path).size(), STATE_FILE_BYTES);
    const TDeviceState restored = PowerOnState(path, notice);
    EXPECT_EQ(restored, kept);
    EXPECT_EQ(restored.Cell(0, 8), 46);
    EXPECT_EQ(restored.GlyphRecord(115), std::string(54, '\xAA'));
    EXPECT_EQ(restored.mode, MODE_CROSS); // comes up in the stored mode
}

TEST(EmulatorState, StoreThatCannotBeWrittenIsReportedNotCounted) {
    QTemporaryDir dir;
    const QString path = dir.path(); // a folder: no file can be written there
    QString notice;
    TEmulatorSession session(PowerOnState(dir.filePath("none.bin"), notice), path, 0);
    QStringList lines;
    session.SetTrafficHandler([&lines](const QString& line) { lines << line; });
    session.Feed(FromHex("FF 00 02 00 00 00 00 00 00 02"));
    EXPECT_EQ(session.StoresWritten(), 0);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("StoreScreen: FF 00 02 00 00 00 00 00 00 02 (state not kept: "))
        << lines[0].toStdString();
}

TEST(EmulatorState, MalformedFileStartsBlankAndSaysSo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("state.bin");
    TDeviceState state = DefaultState();
    state.crossX = 200;
    std::string bytes = EncodeState(state);
    ASSERT_TRUE(DecodeState(bytes).has_value());
    EXPECT_EQ(DecodeState(bytes)->crossX, 200);
    EXPECT_FALSE(DecodeState(bytes.substr(0, bytes.size() - 1)).has_value());
    EXPECT_FALSE(DecodeState(bytes + "x").has_value());
    bytes[STATE_TAG_BYTES + SCREEN_CELLS] = 7; // mode
    EXPECT_FALSE(DecodeState(bytes).has_value());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100000, 'x'));
    file.close();
    QString notice;
    const TDeviceState blank = PowerOnState(path, notice);
    EXPECT_TRUE(notice.contains("not a state file")) << notice.toStdString();
    EXPECT_EQ(blank, DefaultState());
}

TEST(EmulatorSession, TrafficAndLogDescribeEveryEvent) {
    QTemporaryDir dir;
    QString notice;
    TEmulatorSession session(PowerOnState(dir.filePath("state.bin"), notice), dir.filePath("state.bin"), 2400);
    QString error;
    ASSERT_TRUE(session.OpenLog(dir.filePath("traffic.log"), error));
    QStringList lines;
    session.SetTrafficHandler([&lines](const QString& line) { lines << line; });
    session.Feed(FromHex("FF 00 01 01 00 00 00 00 00 02 12 FF 00 04 00 08 03 00 00 00 0F 61 62 63"));
    session.Feed(FromHex("FF 00 03 00 00 00 00 00 00 04 FF 00 05 73 00"));
    session.EndOfStream();
    const QStringList expected = {
        "SetMode(1 text): FF 00 01 01 00 00 00 00 00 02",
        "1 bytes outside any frame skipped: 12",
        "WriteText(column 0, row 8, \"abc\"): FF 00 04 00 08 03 00 00 00 0F 61 62 63",
        "checksum error, frame skipped: FF 00 03 00 00 00 00 00 00 04",
        "9 bytes outside any frame skipped: 00 03 00 00 00 00 00 00 04",
        "frame cut off, 5 bytes dropped: FF 00 05 73 00",
    };
    EXPECT_EQ(lines, expected);
    QFile log(dir.filePath("traffic.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()), expected.join('\n') + '\n');
    EXPECT_EQ(session.Counters().checksumErrors, 1u);
    EXPECT_EQ(session.Counters().droppedBytes, 5u);
    // 39 bytes at 2400 baud, 10 bits each.
    EXPECT_DOUBLE_EQ(session.LineSeconds(), 39 * 10 / 2400.0);
}
