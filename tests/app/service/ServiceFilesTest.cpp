// The glyph-set files and uploads of the service page: binary and bitmap
// loads and saves, glyph sets dropped on the glyph map, the unsaved-edits
// question, and the "Send" buttons.
#include "BmpBytes.h"
#include "FileDrop.h"
#include "service/ServiceFixture.h"

#include <QDir>
#include <QProgressBar>

#include <cstdint>
#include <functional>
#include <vector>

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
    static QImage Filled(int width, int height) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::white);
        return picture;
    }
    QImage edited;
};

// A 32-bit BMP with a version 4 header, its bit fields an alpha mask, every pixel argb.
QByteArray AlphaBmp(int width, int height, QRgb argb) {
    QByteArray file = BmpFile(108, width, height, 32, 3, QByteArray(),
                              Le32s(std::vector<std::uint32_t>(std::size_t(width * height), argb)));
    const QByteArray fields = Le32s({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, 0x73524742}); // sRGB
    file.replace(14 + 40, fields.size(), fields);
    return file;
}

// Files of the wrong size, folders, missing and damaged files are refused
// with their reason and keep the set; a failed save keeps the unsaved mark.
TEST_F(ServiceFilesTest, RefusedFilesSayWhyAndKeepTheSet) {
    EditAndKeep();
    const QString folder = Path(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString gone = Path(QStringLiteral("gone.bmp"));
    const auto bitmap = [this](int width, int height) {
        const QString path = Path(QStringLiteral("%1x%2.bmp").arg(width).arg(height));
        EXPECT_TRUE(Filled(width, height).save(path, "BMP"));
        return path;
    };
    const QString binarySize = QStringLiteral("Wrong binary file size, must be 13824.");
    const QString binaryError = QStringLiteral("Error load binary file.");
    const QString bitmapSize = QStringLiteral("Wrong image dimensions: 192 x 288.");
    const QString bitmapError = QStringLiteral("Error loading bitmap.");
    const struct {
        const char* load;
        QString path;
        QString log;
    } cases[] = {
        {"ButtonLoadFromBinaryFile", Write(QStringLiteral("short.bin"), QByteArray(13823, char(0xAA))), binarySize},
        {"ButtonLoadFromBinaryFile", Write(QStringLiteral("long.bin"), QByteArray(13825, char(0xAA))), binarySize},
        {"ButtonLoadFromBinaryFile", Write(QStringLiteral("empty.bin"), QByteArray()), binarySize},
        {"ButtonLoadFromBinaryFile", folder, binaryError},
        {"ButtonLoadFromBinaryFile", gone, binaryError},
        {"ButtonLoadFromBitmap", bitmap(192, 289), bitmapSize},
        {"ButtonLoadFromBitmap", bitmap(191, 288), bitmapSize},
        {"ButtonLoadFromBitmap", folder, bitmapError},
        {"ButtonLoadFromBitmap", gone, bitmapError},
        {"ButtonLoadFromBitmap", Write(QStringLiteral("damaged.bmp"), AlphaBmp(192, 288, 0).left(2000)), bitmapError},
        {"ButtonLoadFromBitmap", Write(QStringLiteral("text.bmp"), "not a picture at all"), bitmapError},
    };
    for (const auto& c : cases) {
        dialogs.openAnswers.push_back(c.path);
        Click(c.load);
        EXPECT_EQ(LastLog(), c.log) << c.load << " " << c.path.toStdString();
        ExpectSetKept();
    }
    EXPECT_EQ(dialogs.openCalls[0].filter, QStringLiteral("All files (*.*)|*.*"));
    EXPECT_EQ(dialogs.openCalls.back().filter, QStringLiteral("Bitmap (*.bmp)|*.bmp"));

    Click("SpeedButtonClearGray");
    dialogs.saveAnswers.push_back(Path(QStringLiteral("no/such/set.bin")));
    Click("ButtonSaveToBinaryFile");
    EXPECT_EQ(LastLog(), QStringLiteral("Error saving binary file."));
    dialogs.saveAnswers.push_back(Path(QStringLiteral("no/such/set.bmp")));
    Click("ButtonSaveToBitmap");
    EXPECT_EQ(LastLog(), QStringLiteral("Error saving bitmap."));
    EXPECT_TRUE(form->Chars().Modified());
}

TEST_F(ServiceFilesTest, BinarySavedAtStartHoldsTheDefaultSetAndLoadsBack) {
    const QString path = Path(QStringLiteral("default.bin"));
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBinaryFile");
    EXPECT_EQ(LastLog(), QStringLiteral("Binary file save success."));
    EXPECT_EQ(dialogs.saveCalls.back().filter, QStringLiteral("All files (*.*)|*.*"));
    EXPECT_EQ(dialogs.saveCalls.back().defaultExt, QString());
    const QByteArray bytes = Read(path);
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

TEST_F(ServiceFilesTest, BitmapSavesAt32BitsAndLoadsBack) {
    SelectGlyph(7);
    Click("SpeedButtonClearBlack");
    const QImage saved = form->Chars().Image();
    const QString path = Path(QStringLiteral("set.bmp"));
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBitmap");
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap save success."));
    EXPECT_EQ(dialogs.saveCalls.back().filter, QStringLiteral("Bitmap (*.bmp)|*.bmp"));
    EXPECT_EQ(dialogs.saveCalls.back().defaultExt, QStringLiteral("bmp"));
    EXPECT_FALSE(form->Chars().Modified());
    const QByteArray bytes = Read(path);
    // The whole set at 32 bits; the layout is the writer's (tests/common/PictureFileTest).
    ASSERT_EQ(bytes.size(), 14 + 40 + 192 * 288 * 4);

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
    const QString palettePath = Path(QStringLiteral("palette.bmp"));
    ASSERT_TRUE(indexed.save(palettePath, "BMP"));
    LoadBitmap(palettePath);
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap load success."));
    EXPECT_EQ(form->Chars().Pixel(0, 0), 0xFEFEFEu);
    EXPECT_EQ(form->Chars().Pixel(1, 0), 0x0A141Eu);
    EXPECT_EQ(CellColour(Cell(1, 0)), 0x0A141Eu);
    dialogs.saveAnswers.push_back(Path(QStringLiteral("palette.bin")));
    Click("ButtonSaveToBinaryFile");
    // 254,254,254 and 10,20,30 are grey in a record, exact white is white.
    EXPECT_EQ(Read(Path(QStringLiteral("palette.bin"))).left(1).toHex(), "fb");

    // Pixels with an alpha channel keep their colour.
    LoadBitmap(Write(QStringLiteral("alpha.bmp"), AlphaBmp(192, 288, 0x400C2238)));
    EXPECT_EQ(LastLog(), QStringLiteral("Bitmap load success."));
    EXPECT_EQ(form->Chars().Pixel(100, 100), 0x0C2238u);
    LoadBitmap(Write(QStringLiteral("clear.bmp"), AlphaBmp(192, 288, 0x00FFFFFF)));
    EXPECT_EQ(form->Chars().Pixel(0, 0), LEVEL_WHITE);
}

TEST_F(ServiceFilesTest, UnsavedEditsAskBeforeEachLoad) {
    const QString question = QStringLiteral("Confirm: Actual characters not saved, continue?");
    const QString path = Path(QStringLiteral("default.bin"));
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
    const QString binary = Path(QStringLiteral("myset")); // saved without an extension
    const QString bitmap = Path(QStringLiteral("myset.BMP"));
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
    const QString shortBinary = Write(QStringLiteral("short.bin"), QByteArray(13823, char(0xAA)));
    const QString smallBitmap = Path(QStringLiteral("small.bmp"));
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
    ASSERT_EQ(bytes.size(), 16384u); // the order of the glyphs: tests/common/GlyphUploadTest
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
