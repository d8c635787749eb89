// The main window: start-up, connection, the screen buttons, the message log
// and the page change.
#include "shell/Kr7unit1.h"

#include "COMSocket.h"
#include "Codepage.h"
#include "Glyphs.h"
#include "KR7.h"
#include "Reconnect.h"
#include "TextWords.h"
#include "logo/LogoPage.h"
#include "sequence/SequenceLine.h"
#include "service/ServicePage.h"
#include "shell/OpenFailureText.h"
#include "shell/PortList.h"
#include "shell/Preview.h"
#include "shell/ScreenFit.h"
#include "text/TextPages.h"
#include "ui_Kr7unit1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int LOG_MAX_LINES = 1000;
constexpr int WINDOW_WIDTH = 390;
constexpr int WINDOW_DESIGN_HEIGHT = 658;
// Client heights of the window while each page is shown.
constexpr std::array<int, 4> PAGE_HEIGHTS = {506, 424, 621, 658};
constexpr int OTHER_PAGE_HEIGHT = 618;
// The panel with the pages starts here and the log group keeps this much
// room at the bottom.
constexpr int PANEL_TOP = 72;
constexpr int BELOW_PANEL = 110;
constexpr int MESSAGES_FROM_BOTTOM = 108;
// The least room the pages keep on a screen too small for the design.
constexpr int MIN_PANEL_HEIGHT = 120;

// The events on a drop-down box that may open its list: a mouse press, F4,
// and Alt with an arrow key.
bool OpensList(const QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() == Qt::Key_F4)
        return key->modifiers() == Qt::NoModifier;
    const bool arrow = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up;
    return arrow && key->modifiers().testFlag(Qt::AltModifier);
}

} // namespace

TFormKR7::TFormKR7(const TFormOptions& options, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TFormKR7>()), options_(options) {
    if (options_.dialogs == nullptr)
        ownDialogs_ = std::make_unique<TQtDialogs>();
    if (options_.platform == nullptr)
        ownPlatform_ = std::make_unique<TPlatform>();
    dialogs_ = options_.dialogs != nullptr ? options_.dialogs : ownDialogs_.get();
    platform_ = options_.platform != nullptr ? options_.platform : ownPlatform_.get();

    ui_->setupUi(this);
    pageArea_ = std::make_unique<TPageArea>(*ui_->PanelMain, *ui_->PageControl);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetClientHeight(WINDOW_DESIGN_HEIGHT);
    ui_->CheckBoxConnect->setTristate(true);
    ui_->CheckBoxConnect->setCheckState(Qt::PartiallyChecked);
    ui_->Memo->setReadOnly(true);
    // Typed text stays as typed: the completion would rewrite "com7" to the
    // listed "COM7", and without it the box matches list entries by case.
    ui_->ComboBoxPort->setCompleter(nullptr);

    ui_->PageControl->setTabVisible(ui_->PageControl->indexOf(ui_->TabSheetService), options_.service);

    TimerClearMemo = new QTimer(this);
    TimerClearMemo->setObjectName(QStringLiteral("TimerClearMemo"));
    TimerClearMemo->setInterval(60000);

    line_ = std::make_unique<TSequenceLine>(options_.line);
    port_ = std::make_unique<TCOMSocket>(line_.get());
    line_->SetPort(port_.get());
    reconnect_ = new TReconnect(
        *port_, [this] { return IsConnectChecked(); }, [this](const TTextEvent& event) { LogText(event); },
        [this] { PortOpened(); }, this);
    device_ = std::make_unique<TKR7>([this](const void* data, std::size_t size) { reconnect_->Write(data, size); });
    preview_ = std::make_unique<TPreview>(*ui_->ImagePreview, chars_, *device_, *this);
    const QImage defaults(QStringLiteral(":/DefaultChars.bmp"));
    if (defaults.width() == CHARS_WIDTH && defaults.height() == CHARS_HEIGHT)
        charsDefault_ = defaults.convertToFormat(QImage::Format_RGB32);
    else
        NewCharsBitmap(charsDefault_);

    textPages_ = std::make_unique<TTextPages>(
        *ui_, TTextPageServices{*device_, *preview_, *this, *this, *dialogs_, *platform_}, this);
    service_ = std::make_unique<TServicePage>(
        *ui_, TServicePage::TServices{*device_, *this, *this, *dialogs_, *line_, RecoveryFolder()}, chars_,
        charsDefault_);
    logo_ = std::make_unique<TLogoPage>(
        *ui_, TLogoPage::TServices{*device_, *this, *dialogs_, *preview_, *service_, *line_}, chars_, charsDefault_,
        options_.settingsDir + QStringLiteral("/LogoBitmap.bmp"));
    ui_->PageControl->setCurrentWidget(ui_->TabSheetPreview);
    preview_->ClearPreview();

    ConnectMainHandlers();
    InstallShortcuts();
    FormCreate();
    TimerClearMemo->start();
}

// Glyph edits are kept over a forced close only where they can be made and
// taken again: with the service page.
QString TFormKR7::RecoveryFolder() const {
    return options_.service ? options_.recoveryDir : QString();
}

const QImage& TFormKR7::Preview() const {
    return preview_->Image();
}

TFormKR7::~TFormKR7() {
    FormDestroy();
}

void TFormKR7::FormCreate() {
    ComboBoxPortDropDown();
    LoadSettings();
    logo_->UpdateLogoControls();
    service_->OfferRecoveredGlyphs();
    // The session's end may come without a close the user can answer.
    if (qGuiApp != nullptr)
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { service_->KeepUnsavedGlyphs(); });
}

void TFormKR7::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    SaveSettings();
    device_.reset();
    line_->SetPort(nullptr);
    port_.reset();
}

void TFormKR7::ConnectMainHandlers() {
    // A box unchecked from inside its own click reports the change only by
    // toggled; the step from the indeterminate start to unchecked only by
    // stateChanged. Both lead to one run per real change.
    connect(ui_->CheckBoxConnect, &QCheckBox::toggled, this, &TFormKR7::CheckBoxConnectChanged);
    connect(ui_->CheckBoxConnect, &QCheckBox::stateChanged, this, &TFormKR7::CheckBoxConnectChanged);
    connect(ui_->ComboBoxPort, &QComboBox::currentTextChanged, this, &TFormKR7::ComboBoxPortChange);
    ui_->ComboBoxPort->installEventFilter(this);
    connect(ui_->ButtonClrScr, &QPushButton::clicked, this, &TFormKR7::ButtonClrScrClick);
    connect(ui_->ButtonSaveScreen, &QPushButton::clicked, this, &TFormKR7::ButtonSaveScreenClick);
    connect(ui_->ButtonSetCrossMode, &QPushButton::clicked, this, &TFormKR7::ButtonSetCrossModeClick);
    connect(ui_->ButtonSetTextMode, &QPushButton::clicked, this, &TFormKR7::ButtonSetTextModeClick);
    connect(ui_->ButtonTurnCrossMode, &QPushButton::clicked, this,
            [this] { ButtonChangeModeClick(ui_->ButtonTurnCrossMode); });
    connect(ui_->ButtonTurnTextMode, &QPushButton::clicked, this,
            [this] { ButtonChangeModeClick(ui_->ButtonTurnTextMode); });
    connect(ui_->ButtonEEPROMSave, &QPushButton::clicked, this, &TFormKR7::ButtonEEPROMSaveClick);
    connect(ui_->PageControl, &QTabWidget::currentChanged, this, &TFormKR7::PageControlChange);
    connect(TimerClearMemo, &QTimer::timeout, this, &TFormKR7::TimerClearMemoTimer);
}

void TFormKR7::Log(const QString& line) {
    // Every line, an empty one too, is a block of its own; the first line
    // takes the document's one initial block.
    QTextCursor cursor(ui_->Memo->document());
    cursor.movePosition(QTextCursor::End);
    if (!logEmpty_)
        cursor.insertBlock();
    cursor.insertText(line);
    logEmpty_ = false;
    QScrollBar* bar = ui_->Memo->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TFormKR7::ClearLog() {
    ui_->Memo->clear();
    logEmpty_ = true;
}

QStringList TFormKR7::LogLines() const {
    if (logEmpty_)
        return {};
    return ui_->Memo->toPlainText().split(u'\n');
}

// The unsaved edits are kept first: a close already asking its question
// ignores this one.
void TFormKR7::ForceClose() {
    forceClose_ = true;
    service_->KeepUnsavedGlyphs();
    close();
}

bool TFormKR7::IsConnectChecked() const {
    return ui_->CheckBoxConnect->checkState() == Qt::Checked;
}

bool TFormKR7::IsPreviewActive() const {
    return ui_->PageControl->currentWidget() == ui_->TabSheetPreview;
}

void TFormKR7::CheckBoxConnectChanged() {
    const Qt::CheckState state = ui_->CheckBoxConnect->checkState();
    if (state == connectStateHandled_)
        return;
    // Noted first: the handler may change the box again, and that change
    // runs it once more from inside.
    connectStateHandled_ = state;
    CheckBoxConnectClick();
}

void TFormKR7::CheckBoxConnectClick() {
    // Once restored, the box has only two states for the rest of the run.
    if (ui_->CheckBoxConnect->checkState() != Qt::PartiallyChecked)
        ui_->CheckBoxConnect->setTristate(false);
    reconnect_->Stop();
    if (!IsConnectChecked()) {
        Log(QString());
        port_->Close();
        Log(tr("Port niepołączony."));
        return;
    }
    LogText({TTextFact::Connecting, 0, {}});
    port_->SelectPort(ToCp1250(ui_->ComboBoxPort->currentText()));
    port_->SetBaudRate(2400);
    port_->SetQueueSizes(1024, 1024);
    if (const TOpenResult opened = port_->Open(); !opened) {
        Log(tr("Błąd otwarcia portu."));
        ui_->CheckBoxConnect->setChecked(false);
        Log(OpenFailureLine(opened));
        return;
    }
    PortOpened();
}

void TFormKR7::LogText(const TTextEvent& event) {
    // A connection's report begins with an empty line, as every report of
    // the connection box does.
    if (event.fact == TTextFact::Connecting)
        Log(QString());
    Log(TextEventLine(event));
}

void TFormKR7::PortOpened() {
    AnnounceConnected(*device_, port_->PortNumber(), [this](const TTextEvent& event) { LogText(event); });
    preview_->ClearPreview();
    platform_->Sleep(CONNECT_PAUSE_MS);
}

void TFormKR7::ComboBoxPortDropDown() {
    QComboBox* combo = ui_->ComboBoxPort;
    const QString text = combo->currentText();
    const QSignalBlocker blocker(combo);
    FillPortList(*combo, ListSerialPortInfo());
    combo->setEditText(text);
}

void TFormKR7::ComboBoxPortChange() {
    if (!IsConnectChecked())
        return;
    ui_->CheckBoxConnect->setChecked(false);
    ui_->CheckBoxConnect->setChecked(true);
}

void TFormKR7::ButtonClrScrClick() {
    device_->ClearScreen();
    preview_->ClearPreview();
}

void TFormKR7::ButtonSaveScreenClick() {
    device_->StoreScreen();
}

void TFormKR7::ButtonSetCrossModeClick() {
    device_->SetMode(MODE_CROSS);
    device_->SetStoredMode(MODE_CROSS);
    device_->StoreScreen();
}

void TFormKR7::ButtonSetTextModeClick() {
    device_->SetMode(MODE_TEXT);
    device_->SetStoredMode(MODE_TEXT);
    device_->StoreScreen();
}

void TFormKR7::ButtonChangeModeClick(QAbstractButton* sender) {
    device_->SetMode(sender == ui_->ButtonTurnCrossMode ? MODE_CROSS : MODE_TEXT);
}

void TFormKR7::ButtonEEPROMSaveClick() {
    device_->StoreScreen();
}

void TFormKR7::SetClientHeight(int height) {
    // The designed height where the screen has room for it; else the page
    // area gets what is left and scrolls.
    designedHeight_ = height;
    const int shown = std::max(FittedHeight(AvailableArea(*this), FrameMargins(*this), height),
                               PANEL_TOP + BELOW_PANEL + MIN_PANEL_HEIGHT);
    const int bar = pageArea_->Layout(height - PANEL_TOP - BELOW_PANEL, shown - PANEL_TOP - BELOW_PANEL);
    setFixedSize(WINDOW_WIDTH + bar, shown);
    ui_->GroupBoxMessages->move(ui_->GroupBoxMessages->x(), shown - MESSAGES_FROM_BOTTOM);
    KeepOnScreen();
}

void TFormKR7::KeepOnScreen() {
    if (!isVisible())
        return;
    const QPoint corner = PlaceOnScreen(AvailableArea(*this), frameGeometry());
    if (corner != frameGeometry().topLeft())
        move(corner);
}

void TFormKR7::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The desktop's frame is known from now on.
    SetClientHeight(designedHeight_);
}

void TFormKR7::PageControlChange() {
    preview_->ClearPreview();
    const int index = ui_->PageControl->currentIndex();
    const bool known = index >= 0 && index < static_cast<int>(PAGE_HEIGHTS.size());
    SetClientHeight(known ? PAGE_HEIGHTS[static_cast<std::size_t>(index)] : OTHER_PAGE_HEIGHT);
    logo_->RedrawPreview();
}

void TFormKR7::TimerClearMemoTimer() {
    QTextDocument* document = ui_->Memo->document();
    const int excess = document->blockCount() - LOG_MAX_LINES;
    if (excess <= 0)
        return;
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    cursor.setPosition(document->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TFormKR7::closeEvent(QCloseEvent* event) {
    if (!forceClose_ && service_->UnsavedCharsCancelled()) {
        event->ignore();
        return;
    }
    if (!forceClose_)
        service_->ForgetUnsavedGlyphs();
    event->accept();
}

bool TFormKR7::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ComboBoxPort && OpensList(event))
        ComboBoxPortDropDown();
    return QWidget::eventFilter(watched, event);
}
