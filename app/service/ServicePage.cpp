// The service page: set-up, its controls' connections, the device test
// commands, the glyph-set files and the glyph uploads.
#include "service/ServicePage.h"

#include "CharTable.h"
#include "Codepage.h"
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "KR7.h"
#include "MemoryStream.h"
#include "PictureFile.h"
#include "Protocol.h"
#include "platform/Dialogs.h"
#include "sequence/LongSequence.h"
#include "sequence/ProgressBarAdapter.h"
#include "sequence/SequenceLine.h"
#include "service/ServiceFiles.h"
#include "shell/WindowServices.h"
#include "ui_Kr7unit1.h"
#include "widgets/DroppedFile.h"
#include "widgets/RecentMenu.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>

#include <cstdint>
#include <optional>

namespace {

constexpr int TEST_ROWS = 16;
constexpr int TEXT_TEST_ROW = 8;
constexpr int TEXT_MAX_LENGTH = 255;
constexpr std::uint8_t ZONE1_CODE = 113;
constexpr std::uint8_t ZONE2_CODE = 114;

} // namespace

// ---- Page set-up -------------------------------------------------------------

TServicePage::TServicePage(Ui::TFormKR7& ui, const TServices& services, TCharsImage& chars, const QImage& charsDefault)
    : ui_(ui), device_(services.device), log_(services.log), shell_(services.shell), dialogs_(services.dialogs),
      line_(services.line), chars_(chars), charsDefault_(charsDefault), glyphs_(chars, charsDefault),
      editor_(ui, glyphs_), recovery_(services.recoveryFolder) {
    ui_.ImageCharsDefault->SetImage(&charsDefault_);
    ui_.ImageCharsDefault->hide();
    ui_.ProgressBarSendCharsToDevice->hide();
    ui_.ProgressBarSendCharsToDevice->raise();
    AddCancelButton(*ui_.ProgressBarSendCharsToDevice, tr("Cancel"));
    ui_.ImageChars->setAcceptDrops(true);
    ui_.ImageChars->installEventFilter(this);
    // Every run begins with the default set, saved as it stands.
    glyphs_.Reset(charsDefault_);
    ConnectHandlers();
    CreateUndoKeys();
}

QWidget* TServicePage::Window() const {
    return ui_.TabSheetService->window();
}

QString TServicePage::ConfirmTitle() {
    return tr("Confirm");
}

void TServicePage::LoadCharEditor() {
    editor_.LoadCharEditor();
}

void TServicePage::CharsChanged() {
    editor_.CharsChanged();
}

void TServicePage::ConnectHandlers() {
    connect(ui_.ButtonTest, &QAbstractButton::clicked, this, &TServicePage::ButtonTestClick);
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui_.ButtonZoneTest1), static_cast<QAbstractButton*>(ui_.ButtonZoneTest2)})
        connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonZoneTest1Click(button); });
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(ui_.ButtonTextOut), static_cast<QAbstractButton*>(ui_.ButtonCharOut),
          static_cast<QAbstractButton*>(ui_.ButtonCharOut2)})
        connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonTextCharOutClick(button); });
    connect(ui_.ButtonCrossShow, &QAbstractButton::clicked, this, &TServicePage::ButtonCrossShowClick);
    connect(ui_.ScrollBarCrossX, &QAbstractSlider::valueChanged, this, &TServicePage::ScrollBarCrossXYChange);
    connect(ui_.ScrollBarCrossY, &QAbstractSlider::valueChanged, this, &TServicePage::ScrollBarCrossXYChange);

    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui_.SpeedButtonEditorLeft),
                                    static_cast<QAbstractButton*>(ui_.SpeedButtonEditorUp),
                                    static_cast<QAbstractButton*>(ui_.SpeedButtonEditorRight),
                                    static_cast<QAbstractButton*>(ui_.SpeedButtonEditorDown)})
        connect(button, &QAbstractButton::clicked, &editor_,
                [this, button] { editor_.SpeedButtonEditorMoveClick(button); });
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui_.SpeedButtonClearBlack),
                                    static_cast<QAbstractButton*>(ui_.SpeedButtonClearGray),
                                    static_cast<QAbstractButton*>(ui_.SpeedButtonClearWhite)})
        connect(button, &QAbstractButton::clicked, &editor_,
                [this, button] { editor_.SpeedButtonClearBlackClick(button); });
    connect(ui_.ButtonCharCopy, &QAbstractButton::clicked, &editor_, &TGlyphEditor::ButtonCharCopyClick);
    connect(ui_.ButtonCharPaste, &QAbstractButton::clicked, &editor_, &TGlyphEditor::ButtonCharPasteClick);
    connect(ui_.ButtonDefaultChar, &QAbstractButton::clicked, &editor_, &TGlyphEditor::ButtonDefaultCharClick);

    connect(ui_.ButtonLoadFromBinaryFile, &QAbstractButton::clicked, this,
            &TServicePage::ButtonLoadFromBinaryFileClick);
    AddRecentMenu(*ui_.ButtonLoadFromBinaryFile, dialogs_, TFileDialog::CharsBinaryLoad,
                  [this](const QString& file) { RecentGlyphSetClick(TFileDialog::CharsBinaryLoad, file); });
    AddRecentMenu(*ui_.ButtonLoadFromBitmap, dialogs_, TFileDialog::CharsBitmapLoad,
                  [this](const QString& file) { RecentGlyphSetClick(TFileDialog::CharsBitmapLoad, file); });
    connect(ui_.ButtonSaveToBinaryFile, &QAbstractButton::clicked, this, &TServicePage::ButtonSaveToBinaryFileClick);
    connect(ui_.ButtonLoadFromBitmap, &QAbstractButton::clicked, this, &TServicePage::ButtonLoadFromBitmapClick);
    connect(ui_.ButtonSaveToBitmap, &QAbstractButton::clicked, this, &TServicePage::ButtonSaveToBitmapClick);
    connect(ui_.ButtonLoadDefaultBitmap, &QAbstractButton::clicked, this, &TServicePage::ButtonLoadDefaultBitmapClick);
    connect(ui_.ButtonSendCharsToDevice, &QAbstractButton::clicked, this, &TServicePage::ButtonSendCharsToDeviceClick);
    connect(ui_.ButtonSendCharToDevice, &QAbstractButton::clicked, this, &TServicePage::ButtonSendCharToDeviceClick);
    connect(ui_.ButtonFont, &QAbstractButton::clicked, this, &TServicePage::ButtonFontClick);
}

// ---- Test commands -----------------------------------------------------------

QProgressBar* TServicePage::ShowProgressFromZero() {
    QProgressBar* bar = ui_.ProgressBarSendCharsToDevice;
    bar->setMinimum(0);
    bar->setValue(0);
    bar->show();
    return bar;
}

void TServicePage::LogIfCancelled(const TLongSequence& sequence, int total, const QString& unit) {
    if (sequence.Cancelled())
        log_.Log(tr("Cancelled after %1 of %2 %3.").arg(sequence.Done()).arg(total).arg(unit));
}

void TServicePage::ButtonTestClick() {
    TLongSequence sequence(line_, *ShowProgressFromZero());
    sequence.SetMax(TEST_ROWS - 1);
    for (int row = 0; row < TEST_ROWS && !sequence.Cancelled(); ++row) {
        std::string codes(TEST_ROWS, '\0');
        for (int k = 0; k < TEST_ROWS; ++k)
            codes[static_cast<std::size_t>(k)] = static_cast<char>(TEST_ROWS * row + k);
        device_.WriteCodes(7, row, codes);
        sequence.Step();
    }
    LogIfCancelled(sequence, TEST_ROWS, tr("rows"));
    sequence.WaitForLine();
    ui_.ProgressBarSendCharsToDevice->hide();
}

void TServicePage::ButtonZoneTest1Click(QAbstractButton* sender) {
    const std::uint8_t code = sender == ui_.ButtonZoneTest1 ? ZONE1_CODE : ZONE2_CODE;
    const std::string codes(SCREEN_COLUMNS, static_cast<char>(code));
    TLongSequence sequence(line_, *ShowProgressFromZero());
    sequence.SetMax(TEST_ROWS - 1);
    for (int row = 0; row < TEST_ROWS && !sequence.Cancelled(); ++row) {
        device_.WriteCodes(0, row, codes);
        sequence.Step();
    }
    LogIfCancelled(sequence, TEST_ROWS, tr("rows"));
    sequence.WaitForLine();
    ui_.ProgressBarSendCharsToDevice->hide();
}

void TServicePage::ButtonTextCharOutClick(QAbstractButton* sender) {
    const std::optional<QString> typed = dialogs_.InputText(Window(), Window()->windowTitle(), tr("Enter text:"),
                                                            FromCp1250(textOutText_), TEXT_MAX_LENGTH);
    if (!typed)
        return;
    textOutText_ = ToCp1250(*typed);
    if (textOutText_.size() > static_cast<std::size_t>(TEXT_MAX_LENGTH))
        textOutText_.resize(TEXT_MAX_LENGTH);
    if (sender == ui_.ButtonTextOut)
        device_.WriteText(0, TEXT_TEST_ROW, textOutText_);
    else if (sender == ui_.ButtonCharOut)
        device_.WriteCodes(0, TEXT_TEST_ROW, textOutText_);
    else
        device_.WriteCodes(0, TEXT_TEST_ROW, TextToCodes(textOutText_));
}

void TServicePage::ButtonCrossShowClick() {
    device_.SetCrossPosition(ui_.ScrollBarCrossX->value(), ui_.ScrollBarCrossY->value());
}

void TServicePage::ScrollBarCrossXYChange() {
    ui_.LabelCrossX->setText(QString::number(ui_.ScrollBarCrossX->value()));
    ui_.LabelCrossY->setText(QString::number(ui_.ScrollBarCrossY->value()));
    ButtonCrossShowClick();
}

// ---- Uploads -----------------------------------------------------------------

void TServicePage::ButtonSendCharsToDeviceClick() {
    if (!shell_.IsConnectChecked())
        return;
    if (!dialogs_.AskOkCancel(Window(), ConfirmTitle(), tr("Send actual characters to device?")))
        return;
    TLongSequence sequence(line_, *ShowProgressFromZero());
    SendCharsBitmap(device_, chars_.Image(), 0, &sequence, 255);
    LogIfCancelled(sequence, sequence.Total(), tr("characters"));
    sequence.WaitForLine();
    ui_.ProgressBarSendCharsToDevice->hide();
}

void TServicePage::ButtonSendCharToDeviceClick() {
    if (!shell_.IsConnectChecked())
        return;
    if (!dialogs_.AskOkCancel(Window(), ConfirmTitle(), tr("Send selected character to device?")))
        return;
    const auto code = static_cast<std::uint8_t>(glyphs_.ActiveCode());
    const std::optional<QImage> cell = CopyCharBitmap(code, chars_.Image());
    if (!cell)
        return;
    // A device gone under the one glyph is no upload either.
    const bool wasOpen = line_.PortOpen();
    SendCharBitmap(device_, code, *cell);
    if (wasOpen && !line_.PortOpen())
        log_.Log(tr("Cancelled after %1 of %2 %3.").arg(0).arg(1).arg(tr("characters")));
}
