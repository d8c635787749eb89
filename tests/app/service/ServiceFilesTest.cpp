// The glyph-set files and uploads of the service page: binary and bitmap
// loads and saves, glyph sets dropped on the glyph map, the unsaved-edits
// question, and the "Send" buttons.
#include "FileDrop.h"
#include "service/ServiceFixture.h"

#include <QDir>
#include <QProgressBar>

#include <cstdint>
#include <functional>

namespace {

class ServiceFilesTest : public ServiceFixture {
protected:
    void LoadBinary(const QString& path) {
        dialogs.openAnswers.push_back(path);
        Click("ButtonLoadFromBinaryFile");
    }
    void LoadBitmap(const QString& path) {
        dialogs.openAnswers.push_back(path);
        Click("ButtonLoadFromBitmap");
    }
    // The current set differs from the default in glyph 5 (all white), saved.
    void EditAndKeep() {
        SelectGlyph(5);
        Click("SpeedButtonClearWhite");
        form->Chars().ClearModified();
        edited = form->Chars().Image();
    }
    void ExpectSetKept() {
        EXPECT_EQ(form->Chars().Image(), edited);
        EXPECT_FALSE(form->Chars().Modified());
    }
    QImage edited;
};

void PutLE(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// A 32-bit BMP with a version 4 header and an alpha mask, every pixel argb.
QByteArray AlphaBmp(int width, int height, QRgb argb) {
    QByteArray out("BM");
    const std::uint32_t pixels = std::uint32_t(width * height * 4);
    PutLE(out, 14 + 108 + pixels, 4);
    PutLE(out, 0, 4);
    PutLE(out, 14 + 108, 4);
    PutLE(out, 108, 4);
    PutLE(out, std::uint32_t(width), 4);
    PutLE(out, std::uint32_t(height), 4);
    PutLE(out, 1, 2);
    PutLE(out, 32, 2);
    PutLE(out, 3, 4); // bit fields
    PutLE(out, pixels, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0x00FF0000, 4);
    PutLE(out, 0x0000FF00, 4);
    PutLE(out, 0x000000FF, 4);
    PutLE(out, 0xFF000000, 4);
    PutLE(out, 0x73524742, 4); // sRGB
    out.append(QByteArray(36 + 12, '\0'));
    for (int i = 0; i < width * height; ++i)
        PutLE(out, argb, 4);
    return out;
}

TEST_F(ServiceFilesTest, BinaryOfWrongSizeIsRefusedAndTheSetKept) {
    EditAndKeep();
    for (int size : {13823, 13825, 0}) {
        const QString path = FilePath(QStringLiteral("size%1.bin").arg(size));
        WriteFile(path, QByteArray(size, char(0xAA)));
        LoadBinary(path);
        EXPECT_EQ(LastLog(), QStringLiteral("Wrong binary file size, must be 13824.")) << size;
        ExpectSetKept();
    }
    EXPECT_EQ(dialogs.openCalls.back().filter, QStringLiteral("All files (*.*)|*.*"));
}

TEST_F(ServiceFilesTest, BinarySavedAtStartHoldsTheDefaultSetAndLoadsBack) {
    const QString path = FilePath(QStringLiteral("default.bin"));
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBinaryFile");
    EXPECT_EQ(LastLog(), QStringLiteral("Binary file save success."));
    EXPECT_EQ(dialogs.saveCalls.back().filter, QStringLiteral("All files (*.*)|*.*"));
    EXPECT_EQ(dialogs.saveCalls.back().defaultExt, QString());
    const QByteArray bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 13824);
    EXPECT_EQ(bytes.mid(54 * 113, 54), QByteArray(54, char(0xAA)));
    EXPECT_EQ(bytes.mid(54 * 114, 54), QByteArray(54, char(0x00)));
    EXPECT_EQ(bytes.mid(0, 54), QByteArray(54, char(0xFF)));

    // An edited set saved and read back; the names are remembered.
    SelectGlyph(5);
    Click("SpeedButtonClearBlack");
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBinaryFile");
    EXPECT_FALSE(form->Chars().Modified());
    const QImage saved = form->Chars().Image();
    Click("ButtonLoadDefaultBitmap"); // no question: the edits were saved
    EXPECT_TRUE(dialogs.questions.isEmpty());
    LoadBinary(path);
    EXPECT_EQ(LastLog(), QStringLiteral("Binary file loaded success."));
    EXPECT_EQ(form->Chars().Image(), saved);
    EXPECT_EQ(CellColour(Cell(3, 3)), LEVEL_BLACK);
    EXPECT_FALSE(form->Chars().Modified());
    dialogs.openAnswers.push_back(QString());
    Click("ButtonLoadFromBinaryFile");
    EXPECT_EQ(dialogs.openCalls.back().fileName, path);
}

TEST_F(ServiceFilesTest, BitmapOfWrongSizeIsRefusedNamingTheRequiredSize) {
    EditAndKeep();
    for (QSize size : {QSize(192, 289), QSize(191, 288)}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString path = FilePath(QStringLiteral("%1x%2.bmp").arg(size.width()).arg(size.height()));
        ASSERT_TRUE(picture.save(path, "BMP"));
        LoadBitmap(path);
        EXPECT_EQ(LastLog(), QStringLiteral("Wrong image dimensions: 192 x 288.")) << size.width();
        ExpectSetKept();
    }
    EXPECT_EQ(dialogs.openCalls.back().filter, QStringLiteral("Bitmap (*.bmp)|*.bmp"));
}

TEST_F(ServiceFilesTest, BitmapSavesAt32BitsAndLoadsBack) {
    SelectGlyph(7);
    Click("SpeedButtonClearBlack");
    const QImage saved = form->Chars().Image();
    const QString path = FilePath(QStringLiteral("set.bmp"));
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBitmap");
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap save success."));
    EXPECT_EQ(dialogs.saveCalls.back().filter, QStringLiteral("Bitmap (*.bmp)|*.bmp"));
    EXPECT_EQ(dialogs.saveCalls.back().defaultExt, QStringLiteral("bmp"));
    EXPECT_FALSE(form->Chars().Modified());
    const QByteArray bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 14 + 40 + 192 * 288 * 4);
    EXPECT_EQ(bytes.mid(18, 8).toHex(' '), "c0 00 00 00 20 01 00 00"); // 192 x 288
    EXPECT_EQ(int(bytes[28]), 32);
    // Blue, green, red and a zero byte; the bottom row comes first.
    EXPECT_EQ(bytes.mid(54 + 4 * 180, 4).toHex(' '), "80 80 80 00");

    Click("ButtonLoadDefaultBitmap");
    LoadBitmap(path);
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap load success."));
    EXPECT_EQ(form->Chars().Image(), saved);
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_EQ(CellColour(Cell(0, 0)), LEVEL_BLACK);
}

TEST_F(ServiceFilesTest, BitmapColoursAreKeptWhateverTheirKind) {
    // Palette colours other than the three levels.
    QImage indexed(192, 288, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(254, 254, 254), qRgb(10, 20, 30), qRgb(255, 255, 255)});
    indexed.fill(0);
    indexed.setPixel(1, 0, 1);
    indexed.setPixel(2, 0, 2);
    const QString palettePath = FilePath(QStringLiteral("palette.bmp"));
    ASSERT_TRUE(indexed.save(palettePath, "BMP"));
    LoadBitmap(palettePath);
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap load success."));
    EXPECT_EQ(form->Chars().Pixel(0, 0), 0xFEFEFEu);
    EXPECT_EQ(form->Chars().Pixel(1, 0), 0x0A141Eu);
    EXPECT_EQ(CellColour(Cell(1, 0)), 0x0A141Eu);
    dialogs.saveAnswers.push_back(FilePath(QStringLiteral("palette.bin")));
    Click("ButtonSaveToBinaryFile");
    // 254,254,254 and 10,20,30 are grey in a record, exact white is white.
    EXPECT_EQ(ReadFile(FilePath(QStringLiteral("palette.bin"))).left(1).toHex(), "fb");

    // Pixels with an alpha channel keep their colour.
    const QString alphaPath = FilePath(QStringLiteral("alpha.bmp"));
    WriteFile(alphaPath, AlphaBmp(192, 288, 0x400C2238));
    LoadBitmap(alphaPath);
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap load success."));
    EXPECT_EQ(form->Chars().Pixel(100, 100), 0x0C2238u);
    WriteFile(alphaPath, AlphaBmp(192, 288, 0x00FFFFFF));
    LoadBitmap(alphaPath);
    EXPECT_EQ(form->Chars().Pixel(0, 0), LEVEL_WHITE);
}

// Folders, missing and damaged files are errors that keep the set; a failed
// save keeps the unsaved mark.
TEST_F(ServiceFilesTest, FoldersMissingAndDamagedFilesAreErrors) {
    EditAndKeep();
    const QString folder = FilePath(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString damaged = FilePath(QStringLiteral("damaged.bmp"));
    QByteArray truncated = AlphaBmp(192, 288, 0);
    truncated.truncate(2000);
    WriteFile(damaged, truncated);
    const QString notPicture = FilePath(QStringLiteral("text.bmp"));
    WriteFile(notPicture, QByteArray("not a picture at all"));
    for (const QString& path : {folder, FilePath(QStringLiteral("gone.bmp"))}) {
        LoadBinary(path);
        EXPECT_EQ(LastLog(), QStringLiteral("Error load binary file."));
    }
    for (const QString& path : {folder, FilePath(QStringLiteral("gone.bmp")), damaged, notPicture}) {
        LoadBitmap(path);
        EXPECT_EQ(LastLog(), QStringLiteral("Error loading bitmap.")) << path.toStdString();
    }
    ExpectSetKept();

    Click("SpeedButtonClearGray");
    dialogs.saveAnswers.push_back(FilePath(QStringLiteral("no/such/set.bin")));
    Click("ButtonSaveToBinaryFile");
    EXPECT_EQ(LastLog(), QStringLiteral("Error saving binary file."));
    dialogs.saveAnswers.push_back(FilePath(QStringLiteral("no/such/set.bmp")));
    Click("ButtonSaveToBitmap");
    EXPECT_EQ(LastLog(), QStringLiteral("Error saving bitmap."));
    EXPECT_TRUE(form->Chars().Modified());
}

TEST_F(ServiceFilesTest, UnsavedEditsAskBeforeEachLoad) {
    const QString question = QStringLiteral("Confirm: Actual characters not saved, continue?");
    const QString path = FilePath(QStringLiteral("default.bin"));
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBinaryFile");
    ClickCell(0, 0);
    const QImage edited = form->Chars().Image();
    // Several files dropped at once are no glyph set: refused without a question.
    EXPECT_FALSE(DropFiles(Find("ImageChars"), {path, path}));
    EXPECT_TRUE(dialogs.questions.isEmpty());
    const auto drop = [&] { EXPECT_TRUE(DropFiles(Find("ImageChars"), {path})); };
    const auto click = [&](const char* load) { return [this, load] { Click(load); }; };
    const std::function<void()> loads[] = {click("ButtonLoadFromBinaryFile"), click("ButtonLoadFromBitmap"),
                                           click("ButtonLoadDefaultBitmap"), drop};
    const qsizetype logged = form->LogLines().size();
    for (const auto& load : loads) {
        dialogs.okCancelAnswers.push_back(false);
        load();
        EXPECT_EQ(dialogs.questions.back(), question);
        EXPECT_TRUE(dialogs.openCalls.empty());
        EXPECT_EQ(form->Chars().Image(), edited);
        EXPECT_TRUE(form->Chars().Modified());
    }
    EXPECT_EQ(dialogs.questions.size(), 4);
    EXPECT_EQ(form->LogLines().size(), logged);

    dialogs.okCancelAnswers.push_back(true);
    dialogs.openAnswers.push_back(QString()); // the dialog is closed without a file
    Click("ButtonLoadFromBinaryFile");
    EXPECT_EQ(dialogs.openCalls.size(), 1u);
    EXPECT_EQ(form->Chars().Image(), edited);

    dialogs.okCancelAnswers.push_back(true);
    Click("ButtonLoadDefaultBitmap");
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_EQ(CellColour(Cell(0, 0)), LEVEL_GREY);

    ClickCell(0, 0);
    dialogs.okCancelAnswers.push_back(true);
    drop();
    EXPECT_EQ(LastLog(), QStringLiteral("Binary file loaded success."));
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
    EXPECT_FALSE(form->Chars().Modified());
}

TEST_F(ServiceFilesTest, AGlyphSetDroppedOnTheMapLoadsAsItsLoadButtonDoes) {
    SelectGlyph(5);
    Click("SpeedButtonClearBlack");
    const QImage saved = form->Chars().Image();
    const QString binary = FilePath(QStringLiteral("myset")); // saved without an extension
    const QString bitmap = FilePath(QStringLiteral("myset.BMP"));
    dialogs.saveAnswers = {binary, bitmap};
    Click("ButtonSaveToBinaryFile");
    Click("ButtonSaveToBitmap");
    ASSERT_FALSE(form->Chars().Modified());
    QWidget* map = Find("ImageChars");

    for (const QString& path : {binary, bitmap}) {
        SCOPED_TRACE(path.toStdString());
        Click("ButtonLoadDefaultBitmap");
        ASSERT_EQ(form->Chars().Image(), form->DefaultChars());
        EXPECT_TRUE(DropFiles(map, {path}));
        EXPECT_EQ(LastLog(), path == binary ? QStringLiteral("Binary file loaded success.")
                                            : QStringLiteral("Bitmap load success."));
        EXPECT_EQ(form->Chars().Image(), saved);
        EXPECT_FALSE(form->Chars().Modified());
        EXPECT_EQ(CellColour(Cell(3, 3)), LEVEL_BLACK);
    }
    EXPECT_TRUE(dialogs.questions.isEmpty());

    // Refused files say why, as the buttons' loads do, and keep the set.
    const QString shortBinary = FilePath(QStringLiteral("short.bin"));
    WriteFile(shortBinary, QByteArray(13823, char(0xAA)));
    const QString smallBitmap = FilePath(QStringLiteral("small.bmp"));
    ASSERT_TRUE(QImage(10, 10, QImage::Format_RGB32).save(smallBitmap, "BMP"));
    EXPECT_TRUE(DropFiles(map, {shortBinary}));
    EXPECT_EQ(LastLog(), QStringLiteral("Wrong binary file size, must be 13824."));
    EXPECT_TRUE(DropFiles(map, {smallBitmap}));
    EXPECT_EQ(LastLog(), QStringLiteral("Wrong image dimensions: 192 x 288."));
    EXPECT_EQ(form->Chars().Image(), saved);

    // Each load dialog starts at the file last dropped for it.
    Click("ButtonLoadFromBinaryFile");
    EXPECT_EQ(dialogs.openCalls.back().fileName, shortBinary);
    Click("ButtonLoadFromBitmap");
    EXPECT_EQ(dialogs.openCalls.back().fileName, smallBitmap);
}

TEST_F(ServiceFilesTest, SendingTheWholeSetWrites256GlyphsInOrder) {
    TPtyPort pty(3);
    Connect(pty);
    dialogs.okCancelAnswers.push_back(true);
    Click("ButtonSendCharsToDevice");
    EXPECT_EQ(dialogs.questions.back(), QStringLiteral("Confirm: Send actual characters to device?"));
    const std::string bytes = pty.TakeAtLeast(16384);
    ASSERT_EQ(bytes.size(), 16384u);
    for (std::size_t code = 0; code < 256; ++code) {
        ASSERT_EQ(ToHex(bytes.substr(64 * code, 3)), "FF 00 05") << code;
        ASSERT_EQ(std::uint8_t(bytes[64 * code + 3]), code);
    }
    EXPECT_EQ(ToHex(bytes.substr(64 * 113, 10)), "FF 00 05 71 00 00 00 00 00 76");
    EXPECT_EQ(bytes.substr(64 * 113 + 10, 54), std::string(54, char(0xAA)));
    QProgressBar* bar = Find<QProgressBar>("ProgressBarSendCharsToDevice");
    EXPECT_EQ(bar->value(), 256);
    EXPECT_EQ(bar->maximum(), 256);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(form->Chars().Modified());

    dialogs.okCancelAnswers.push_back(false);
    Click("ButtonSendCharsToDevice");
    EXPECT_EQ(pty.Take(), "");
}

TEST_F(ServiceFilesTest, SendingTheActiveGlyphUsesItsCode) {
    TPtyPort pty(3);
    Connect(pty);
    SelectGlyph(0x73);
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 3);
    EXPECT_EQ(form->Service().Editor().ActiveCharRow(), 7);
    Click("SpeedButtonClearWhite");
    dialogs.okCancelAnswers.push_back(true);
    Click("ButtonSendCharToDevice");
    EXPECT_EQ(dialogs.questions.back(), QStringLiteral("Confirm: Send selected character to device?"));
    EXPECT_EQ(pty.TakeHex(), "FF 00 05 73 00 00 00 00 00 78 " + ToHex(std::string(54, char(0xAA))));
    EXPECT_TRUE(form->Chars().Modified()); // sending is not saving
}

TEST_F(ServiceFilesTest, SendButtonsDoNothingWhileDisconnected) {
    TPtyPort pty(3);
    Connect(pty);
    Click("CheckBoxConnect");
    pty.Take();
    dialogs.defaultOkCancel = true;
    Click("ButtonSendCharsToDevice");
    Click("ButtonSendCharToDevice");
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(pty.Take(), "");
}

} // namespace
