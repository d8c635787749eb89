// The window's service page: the device test commands, the glyph editor, the
// glyph-set files and the glyph uploads.
#include "CharTable.h"
#include "Codepage.h"
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "KR7.h"
#include "Kr7unit1.h"
#include "MemoryStream.h"
#include "PictureFile.h"
#include "ProgressBarAdapter.h"
#include "ui_Kr7unit1.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSaveFile>
#include <QScrollBar>

#include <cstdint>

namespace {

constexpr int CELL_PITCH = 13; // neighbouring cells share their one-pixel border
constexpr int CELL_SIZE = 14;
constexpr int SHAPE_MARGIN = 2;
constexpr int SHAPE_WIDTH = GLYPH_WIDTH + 2 * SHAPE_MARGIN;
constexpr int SHAPE_HEIGHT = GLYPH_HEIGHT + 2 * SHAPE_MARGIN;
constexpr int TEST_ROWS = 16;
constexpr int TEXT_TEST_ROW = 8;
constexpr int TEXT_MAX_LENGTH = 255;
constexpr std::uint8_t ZONE1_CODE = 113;
constexpr std::uint8_t ZONE2_CODE = 114;

const char* const TAG = "tag";
const QString CONFIRM_TITLE = QStringLiteral("Confirm");
const QString BINARY_FILTER = QStringLiteral("All files (*.*)|*.*");
const QString BITMAP_FILTER = QStringLiteral("Bitmap (*.bmp)|*.bmp");
const QString BITMAP_EXT = QStringLiteral("bmp");

// ---- Editor cells ------------------------------------------------------------

void SetCellColour(QFrame* cell, QRgb colour) {
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour & 0xFFFFFFu));
    cell->setPalette(palette);
}

QRgb CellColour(const QFrame* cell) {
    return cell->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;
}

QFrame* NewCharCell(QWidget* panel, int column, int row) {
    auto* cell = new QFrame(panel);
    cell->setGeometry(CELL_PITCH * column + 1, CELL_PITCH * row + 1, CELL_SIZE, CELL_SIZE);
    cell->setFrameShape(QFrame::Box);
    cell->setFrameShadow(QFrame::Plain);
    cell->setLineWidth(1);
    cell->setAutoFillBackground(true);
    cell->setProperty(TAG, GLYPH_WIDTH * row + column);
    SetCellColour(cell, LEVEL_GREY);
    return cell;
}

// The cell index along one axis under a panel coordinate: the later (right or
// lower) of two cells that share a border lies on top. -1 outside the grid.
int CellIndexAt(int coordinate, int count) {
    if (coordinate < 1 || coordinate > CELL_PITCH * (count - 1) + CELL_SIZE)
        return -1;
    const int index = (coordinate - 1) / CELL_PITCH;
    return index < count ? index : count - 1;
}

// The colour that a press with buttons paints on a cell now of colour current.
std::optional<QRgb> StrokeColour(Qt::MouseButtons buttons, QRgb current) {
    QRgb candidate = 0;
    if (buttons & Qt::LeftButton)
        candidate = LEVEL_WHITE;
    else if (buttons & Qt::RightButton)
        candidate = LEVEL_BLACK;
    else
        return std::nullopt;
    return current == LEVEL_GREY ? candidate : LEVEL_GREY;
}

bool IsPress(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}

// ---- Files -------------------------------------------------------------------

enum class TReadResult { Ok, WrongSize, Failed };

// Reads a file of exactly size bytes. The size is checked before anything is
// read, so a huge file is refused without loading it; folders, devices and
// files that cannot be opened fail.
TReadResult ReadExactFile(const QString& fileName, std::size_t size, std::string& bytes) {
    QFile file(fileName);
    const QFileInfo info(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return TReadResult::Failed;
    if (file.size() != static_cast<qint64>(size))
        return TReadResult::WrongSize;
    bytes.resize(size + 1);
    const qint64 read = file.read(bytes.data(), static_cast<qint64>(bytes.size()));
    if (read != static_cast<qint64>(size))
        return TReadResult::Failed; // the file changed while it was read
    bytes.resize(size);
    return TReadResult::Ok;
}

// Writes the whole file or leaves whatever was there before untouched.
bool WriteWholeFile(const QString& fileName, const char* bytes, std::size_t size) {
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes, static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

enum class TBitmapResult { Ok, WrongSize, Failed };

// Reads a BMP file of exactly 192 x 288 pixels. The size in the header is
// checked before the pixels are decoded.
TBitmapResult ReadCharsBitmapFile(const QString& fileName, QImage& picture) {
    if (!QFileInfo(fileName).isFile())
        return TBitmapResult::Failed;
    QImageReader reader(fileName, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize header = reader.size();
    if (header.isValid() && header != QSize(CHARS_WIDTH, CHARS_HEIGHT))
        return TBitmapResult::WrongSize;
    QImage loaded;
    if (!LoadBmpFile(loaded, fileName))
        return TBitmapResult::Failed;
    if (loaded.width() != CHARS_WIDTH || loaded.height() != CHARS_HEIGHT)
        return TBitmapResult::WrongSize;
    picture = std::move(loaded);
    return TBitmapResult::Ok;
}

} // namespace

// ---- Page set-up -------------------------------------------------------------

void TFormKR7::InitServicePage() {
    ui_->ImageChars->SetImage(&chars_.Image());
    ui_->ImageCharsDefault->SetImage(&charsDefault_);
    ui_->ImageCharsDefault->hide();
    ui_->ProgressBarSendCharsToDevice->hide();
    ui_->ButtonCharPaste->setEnabled(false);
    ui_->ImageChars->installEventFilter(this);
    ui_->ShapeActiveChar->installEventFilter(this);
    ui_->ShapeActiveChar->raise();
    ui_->ProgressBarSendCharsToDevice->raise();
    CreateCharEditor();
}

void TFormKR7::ConnectServiceHandlers() {
    connect(ui_->ButtonTest, &QAbstractButton::clicked, this, &TFormKR7::ButtonTestClick);
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui_->ButtonZoneTest1), static_cast<QAbstractButton*>(ui_->ButtonZoneTest2)})
        connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonZoneTest1Click(button); });
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui_->ButtonTextOut), static_cast<QAbstractButton*>(ui_->ButtonCharOut),
          static_cast<QAbstractButton*>(ui_->ButtonCharOut2)})
        connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonTextCharOutClick(button); });
    connect(ui_->ButtonCrossShow, &QAbstractButton::clicked, this, &TFormKR7::ButtonCrossShowClick);
    connect(ui_->ScrollBarCrossX, &QAbstractSlider::valueChanged, this, &TFormKR7::ScrollBarCrossXYChange);
    connect(ui_->ScrollBarCrossY, &QAbstractSlider::valueChanged, this, &TFormKR7::ScrollBarCrossXYChange);

    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui_->SpeedButtonEditorLeft),
                                    static_cast<QAbstractButton*>(ui_->SpeedButtonEditorUp),
                                    static_cast<QAbstractButton*>(ui_->SpeedButtonEditorRight),
                                    static_cast<QAbstractButton*>(ui_->SpeedButtonEditorDown)})
        connect(button, &QAbstractButton::clicked, this, [this, button] { SpeedButtonEditorMoveClick(button); });
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui_->SpeedButtonClearBlack),
                                    static_cast<QAbstractButton*>(ui_->SpeedButtonClearGray),
                                    static_cast<QAbstractButton*>(ui_->SpeedButtonClearWhite)})
        connect(button, &QAbstractButton::clicked, this, [this, button] { SpeedButtonClearBlackClick(button); });
    connect(ui_->ButtonCharCopy, &QAbstractButton::clicked, this, &TFormKR7::ButtonCharCopyClick);
    connect(ui_->ButtonCharPaste, &QAbstractButton::clicked, this, &TFormKR7::ButtonCharPasteClick);
    connect(ui_->ButtonDefaultChar, &QAbstractButton::clicked, this, &TFormKR7::ButtonDefaultCharClick);

    connect(ui_->ButtonLoadFromBinaryFile, &QAbstractButton::clicked, this, &TFormKR7::ButtonLoadFromBinaryFileClick);
    connect(ui_->ButtonSaveToBinaryFile, &QAbstractButton::clicked, this, &TFormKR7::ButtonSaveToBinaryFileClick);
    connect(ui_->ButtonLoadFromBitmap, &QAbstractButton::clicked, this, &TFormKR7::ButtonLoadFromBitmapClick);
    connect(ui_->ButtonSaveToBitmap, &QAbstractButton::clicked, this, &TFormKR7::ButtonSaveToBitmapClick);
    connect(ui_->ButtonLoadDefaultBitmap, &QAbstractButton::clicked, this, &TFormKR7::ButtonLoadDefaultBitmapClick);
    connect(ui_->ButtonSendCharsToDevice, &QAbstractButton::clicked, this, &TFormKR7::ButtonSendCharsToDeviceClick);
    connect(ui_->ButtonSendCharToDevice, &QAbstractButton::clicked, this, &TFormKR7::ButtonSendCharToDeviceClick);
}

bool TFormKR7::ServiceEventFilter(QObject* watched, QEvent* event) {
    if (!IsPress(event) && event->type() != QEvent::MouseMove)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    if (watched == ui_->ImageChars) {
        if (IsPress(event))
            ImageCharsMouseDown(mouse->buttons(), pos);
        else
            ImageCharsMouseMove(mouse->buttons(), pos);
        return true;
    }
    if (watched == ui_->ShapeActiveChar) {
        if (event->type() == QEvent::MouseMove)
            ShapeActiveCharMouseMove(mouse->buttons(), pos);
        return true;
    }
    auto* cell = qobject_cast<QFrame*>(watched);
    if (cell == nullptr || cell->parentWidget() != ui_->PanelCharEditor || !cell->property(TAG).isValid())
        return false;
    if (IsPress(event))
        CharCellMouseDown(cell, mouse->buttons());
    else
        CharCellMouseMove(cell, mouse->buttons(), pos);
    return true;
}

// ---- Test commands -----------------------------------------------------------

QProgressBar* TFormKR7::ShowProgressFromZero() {
    QProgressBar* bar = ui_->ProgressBarSendCharsToDevice;
    bar->setMinimum(0);
    bar->setValue(0);
    bar->show();
    return bar;
}

void TFormKR7::ButtonTestClick() {
    TProgressBarAdapter progress(ShowProgressFromZero());
    progress.SetMax(TEST_ROWS - 1);
    for (int row = 0; row < TEST_ROWS; ++row) {
        std::string codes(TEST_ROWS, '\0');
        for (int k = 0; k < TEST_ROWS; ++k)
            codes[static_cast<std::size_t>(k)] = static_cast<char>(TEST_ROWS * row + k);
        Device().WriteCodes(7, row, codes);
        progress.Step();
    }
    ui_->ProgressBarSendCharsToDevice->hide();
}

void TFormKR7::ButtonZoneTest1Click(QAbstractButton* sender) {
    const std::uint8_t code = sender == ui_->ButtonZoneTest1 ? ZONE1_CODE : ZONE2_CODE;
    const std::string codes(SCREEN_COLUMNS, static_cast<char>(code));
    TProgressBarAdapter progress(ShowProgressFromZero());
    progress.SetMax(TEST_ROWS - 1);
    for (int row = 0; row < TEST_ROWS; ++row) {
        Device().WriteCodes(0, row, codes);
        progress.Step();
    }
    ui_->ProgressBarSendCharsToDevice->hide();
}

void TFormKR7::ButtonTextCharOutClick(QAbstractButton* sender) {
    const std::optional<QString> typed = dialogs_->InputText(this, windowTitle(), QStringLiteral("Enter text:"),
                                                             FromCp1250(textOutText_), TEXT_MAX_LENGTH);
    if (!typed)
        return;
    textOutText_ = ToCp1250(*typed);
    if (textOutText_.size() > static_cast<std::size_t>(TEXT_MAX_LENGTH))
        textOutText_.resize(TEXT_MAX_LENGTH);
    if (sender == ui_->ButtonTextOut)
        Device().WriteText(0, TEXT_TEST_ROW, textOutText_);
    else if (sender == ui_->ButtonCharOut)
        Device().WriteCodes(0, TEXT_TEST_ROW, textOutText_);
    else
        Device().WriteCodes(0, TEXT_TEST_ROW, TextToCodes(textOutText_));
}

void TFormKR7::ButtonCrossShowClick() {
    Device().SetCrossPosition(ui_->ScrollBarCrossX->value(), ui_->ScrollBarCrossY->value());
}

void TFormKR7::ScrollBarCrossXYChange() {
    ui_->LabelCrossX->setText(QString::number(ui_->ScrollBarCrossX->value()));
    ui_->LabelCrossY->setText(QString::number(ui_->ScrollBarCrossY->value()));
    ButtonCrossShowClick();
}

// ---- Glyph editor ------------------------------------------------------------

void TFormKR7::CreateCharEditor() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            QFrame* cell = NewCharCell(ui_->PanelCharEditor, column, row);
            cell->installEventFilter(this);
            cell->show();
            CharCells[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = cell;
        }
    }
    ActiveCharCol = 0;
    ActiveCharRow = 0;
    ui_->ShapeActiveChar->resize(SHAPE_WIDTH, SHAPE_HEIGHT);
    ShowActiveChar();
}

void TFormKR7::ShowActiveChar() {
    const QPoint image = ui_->ImageChars->pos();
    ui_->ShapeActiveChar->move(image.x() + GLYPH_WIDTH * ActiveCharCol - SHAPE_MARGIN,
                               image.y() + GLYPH_HEIGHT * ActiveCharRow - SHAPE_MARGIN);
}

QFrame* TFormKR7::CharCell(int column, int row) const {
    return CharCells[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

QPoint TFormKR7::ActiveCharPixel(int column, int row) const {
    return {GLYPH_WIDTH * ActiveCharCol + column, GLYPH_HEIGHT * ActiveCharRow + row};
}

void TFormKR7::CharsChanged() {
    ui_->ImageChars->update();
}

void TFormKR7::LoadCharEditor() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            const QPoint pixel = ActiveCharPixel(column, row);
            SetCellColour(CharCell(column, row), chars_.Pixel(pixel.x(), pixel.y()));
        }
    }
}

void TFormKR7::StoreCharEditor() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            const QPoint pixel = ActiveCharPixel(column, row);
            chars_.SetPixel(pixel.x(), pixel.y(), CellColour(CharCell(column, row)));
        }
    }
    CharsChanged();
}

bool TFormKR7::UnsavedCharsCancelled() {
    if (!chars_.Modified())
        return false;
    return !dialogs_->AskOkCancel(this, CONFIRM_TITLE, QStringLiteral("Actual characters not saved, continue?"));
}

void TFormKR7::SelectActiveChar(QPoint pos) {
    ActiveCharCol = pos.x() / GLYPH_WIDTH;
    ActiveCharRow = pos.y() / GLYPH_HEIGHT;
    LoadCharEditor();
    ShowActiveChar();
}

void TFormKR7::ImageCharsMouseDown(Qt::MouseButtons buttons, QPoint pos) {
    if (!(buttons & Qt::LeftButton) || !QRect(0, 0, CHARS_WIDTH, CHARS_HEIGHT).contains(pos))
        return;
    SelectActiveChar(pos);
}

void TFormKR7::ImageCharsMouseMove(Qt::MouseButtons buttons, QPoint pos) {
    const QRect map(0, 0, std::min(ui_->ImageChars->width(), CHARS_WIDTH),
                    std::min(ui_->ImageChars->height(), CHARS_HEIGHT));
    if (!(buttons & Qt::LeftButton) || !map.contains(pos))
        return;
    SelectActiveChar(pos);
}

// The frame holds the mouse while a button pressed on it stays down; once the
// pointer leaves the frame, the moves go on selecting in the map beneath.
void TFormKR7::ShapeActiveCharMouseMove(Qt::MouseButtons buttons, QPoint pos) {
    QWidget* shape = ui_->ShapeActiveChar;
    if (shape->rect().contains(pos))
        return;
    const QPoint global = shape->mapToGlobal(pos);
    ImageCharsMouseMove(buttons, ui_->ImageChars->mapFromGlobal(global));
}

void TFormKR7::PaintCharCell(QFrame* cell, QRgb colour) {
    const int tag = cell->property(TAG).toInt();
    const QPoint pixel = ActiveCharPixel(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH);
    SetCellColour(cell, colour);
    chars_.SetPixel(pixel.x(), pixel.y(), colour);
    CharsChanged();
}

void TFormKR7::CharCellMouseDown(QFrame* cell, Qt::MouseButtons buttons) {
    const std::optional<QRgb> colour = StrokeColour(buttons, CellColour(cell));
    if (!colour)
        return;
    PaintColor = *colour;
    PaintCharCell(cell, PaintColor);
}

// The cell pressed keeps the mouse for the whole drag, so the cell under the
// pointer is found from the editor panel's geometry.
void TFormKR7::CharCellMouseMove(QFrame* cell, Qt::MouseButtons buttons, QPoint pos) {
    if (!(buttons & (Qt::LeftButton | Qt::RightButton)))
        return;
    if (cell->rect().contains(pos)) {
        PaintCharCell(cell, PaintColor);
        return;
    }
    const QPoint panelPos = cell->mapTo(ui_->PanelCharEditor, pos);
    const int column = CellIndexAt(panelPos.x(), GLYPH_WIDTH);
    const int row = CellIndexAt(panelPos.y(), GLYPH_HEIGHT);
    if (column < 0 || row < 0)
        return;
    PaintCharCell(CharCell(column, row), PaintColor);
}

void TFormKR7::SpeedButtonEditorMoveClick(QAbstractButton* sender) {
    const int dx = sender == ui_->SpeedButtonEditorRight ? 1 : sender == ui_->SpeedButtonEditorLeft ? -1 : 0;
    const int dy = sender == ui_->SpeedButtonEditorDown ? 1 : sender == ui_->SpeedButtonEditorUp ? -1 : 0;
    std::array<std::array<QRgb, GLYPH_HEIGHT>, GLYPH_WIDTH> grid{};
    for (auto& column : grid)
        column.fill(LEVEL_GREY);
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            const int x = column + dx;
            const int y = row + dy;
            if (x >= 0 && x < GLYPH_WIDTH && y >= 0 && y < GLYPH_HEIGHT)
                grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = CellColour(CharCell(column, row));
        }
    }
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row), grid[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
    StoreCharEditor();
}

void TFormKR7::SpeedButtonClearBlackClick(QAbstractButton* sender) {
    const QRgb colour = static_cast<QRgb>(sender->property(TAG).toLongLong()) & 0xFFFFFFu;
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row), colour);
    StoreCharEditor();
}

void TFormKR7::ButtonCharCopyClick() {
    ui_->ButtonCharPaste->setEnabled(true);
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            CharCopyBuffer[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] =
                CellColour(CharCell(column, row));
}

void TFormKR7::ButtonCharPasteClick() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row),
                          CharCopyBuffer[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
    StoreCharEditor();
}

void TFormKR7::ButtonDefaultCharClick() {
    const QPoint origin = ActiveCharPixel(0, 0);
    chars_.CopyRect(charsDefault_, QRect(origin, QSize(GLYPH_WIDTH, GLYPH_HEIGHT)), origin);
    LoadCharEditor();
    CharsChanged();
}

// ---- Glyph-set files ---------------------------------------------------------

void TFormKR7::CharsReplaced(const QImage& picture) {
    chars_.Assign(picture);
    LoadCharEditor();
    chars_.ClearModified();
    CharsChanged();
}

void TFormKR7::ButtonLoadFromBinaryFileClick() {
    if (UnsavedCharsCancelled())
        return;
    const QString fileName = dialogs_->OpenFile(this, binaryLoadName_, BINARY_FILTER);
    if (fileName.isEmpty())
        return;
    binaryLoadName_ = fileName;
    std::string bytes;
    const TReadResult read = ReadExactFile(fileName, GLYPH_SET_BYTES, bytes);
    if (read == TReadResult::WrongSize) {
        Log(QString::asprintf("Wrong binary file size, must be %i.", static_cast<int>(GLYPH_SET_BYTES)));
        return;
    }
    TMemoryStream stream(std::move(bytes));
    const std::optional<QImage> loaded = read == TReadResult::Ok ? ReadCharsBitmap(stream) : std::optional<QImage>();
    if (!loaded) {
        Log(QStringLiteral("Error load binary file."));
        return;
    }
    CharsReplaced(*loaded);
    Log(QStringLiteral("Binary file loaded success."));
}

void TFormKR7::ButtonSaveToBinaryFileClick() {
    const QString fileName = dialogs_->SaveFile(this, binarySaveName_, BINARY_FILTER, QString());
    if (fileName.isEmpty())
        return;
    binarySaveName_ = fileName;
    TMemoryStream stream;
    WriteCharsBitmap(chars_.Image(), stream);
    const std::string& bytes = stream.Bytes();
    if (bytes.size() != GLYPH_SET_BYTES || !WriteWholeFile(fileName, bytes.data(), bytes.size())) {
        Log(QStringLiteral("Error saving binary file."));
        return;
    }
    chars_.ClearModified();
    Log(QStringLiteral("Binary file save success."));
}

void TFormKR7::ButtonLoadFromBitmapClick() {
    if (UnsavedCharsCancelled())
        return;
    const QString fileName = dialogs_->OpenFile(this, bitmapLoadName_, BITMAP_FILTER);
    if (fileName.isEmpty())
        return;
    bitmapLoadName_ = fileName;
    QImage loaded;
    switch (ReadCharsBitmapFile(fileName, loaded)) {
    case TBitmapResult::Ok:
        CharsReplaced(loaded);
        Log(QStringLiteral("Bitmap load success."));
        return;
    case TBitmapResult::WrongSize:
        Log(QString::asprintf("Wrong image dimensions: %i x %i.", CHARS_WIDTH, CHARS_HEIGHT));
        return;
    case TBitmapResult::Failed:
        Log(QStringLiteral("Error loading bitmap."));
        return;
    }
}

void TFormKR7::ButtonSaveToBitmapClick() {
    const QString fileName = dialogs_->SaveFile(this, bitmapSaveName_, BITMAP_FILTER, BITMAP_EXT);
    if (fileName.isEmpty())
        return;
    bitmapSaveName_ = fileName;
    if (!SaveBmp32File(chars_.Image(), fileName)) {
        Log(QStringLiteral("Error saving bitmap."));
        return;
    }
    chars_.ClearModified();
    Log(QStringLiteral("Bitmap save success."));
}

void TFormKR7::ButtonLoadDefaultBitmapClick() {
    if (UnsavedCharsCancelled())
        return;
    CharsReplaced(charsDefault_);
}

// ---- Uploads -----------------------------------------------------------------

void TFormKR7::ButtonSendCharsToDeviceClick() {
    if (!IsConnectChecked())
        return;
    if (!dialogs_->AskOkCancel(this, CONFIRM_TITLE, QStringLiteral("Send actual characters to device?")))
        return;
    TProgressBarAdapter progress(ShowProgressFromZero());
    SendCharsBitmap(Device(), chars_.Image(), 0, &progress, 255);
    ui_->ProgressBarSendCharsToDevice->hide();
}

void TFormKR7::ButtonSendCharToDeviceClick() {
    if (!IsConnectChecked())
        return;
    if (!dialogs_->AskOkCancel(this, CONFIRM_TITLE, QStringLiteral("Send selected character to device?")))
        return;
    const auto code = static_cast<std::uint8_t>(16 * ActiveCharRow + ActiveCharCol);
    const std::optional<QImage> cell = CopyCharBitmap(code, chars_.Image());
    if (!cell)
        return;
    SendCharBitmap(Device(), code, *cell);
}
