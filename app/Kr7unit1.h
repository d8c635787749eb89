#pragma once

#include "CharsImage.h"
#include "Dialogs.h"
#include "Platform.h"
#include "WindowServices.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QAbstractButton;
class QTimer;
class TCOMSocket;
class TLineClock;
class TIniFile;
class TKR7;
class TLogoPage;
class TPreview;
class TReconnect;
class TSequenceLine;
class TServicePage;
class TTextPages;

namespace Ui {
class TFormKR7;
}

// What main() hands to the window: where the settings live, whether the
// service page is shown, and the seams that tests replace.
struct TFormOptions {
    QString settingsDir;
    bool service = false;
    TDialogs* dialogs = nullptr;   // null: the Qt dialogs
    TPlatform* platform = nullptr; // null: the real clock and pause
    TLineClock* line = nullptr;    // null: the serial line's real clock
};

// True when args hold "service" after "-" or "/", in any letter case.
bool HasServiceSwitch(const QStringList& args);

constexpr int LOG_MAX_LINES = 1000;
constexpr int WINDOW_WIDTH = 390;
constexpr int WINDOW_DESIGN_HEIGHT = 658;

// The main window "KR-7 Controller 2.0". Its member definitions are split by
// page: Kr7unit1.cpp (start-up, connection, screen buttons, log, page change),
// Kr7unit1Settings.cpp (the settings file). The pages are controllers of their
// own: TTextPages, TLogoPage and TServicePage.
class TFormKR7 : public QWidget, public TMessageLog, public TShellState {
    Q_OBJECT
public:
    explicit TFormKR7(const TFormOptions& options, QWidget* parent = nullptr);
    ~TFormKR7() override;

    // Appends one line to the message log.
    void Log(const QString& line) override;
    void ClearLog();
    // The lines of the message log, oldest first.
    QStringList LogLines() const;
    // Closes without the unsaved-glyphs question (SIGTERM and friends).
    void ForceClose();

    // ---- Part of the window shell -------------------------------------
    void CheckBoxConnectClick();
    void ComboBoxPortDropDown();
    void ComboBoxPortChange();
    void ButtonClrScrClick();
    void ButtonSaveScreenClick();
    void ButtonSetCrossModeClick();
    void ButtonSetTextModeClick();
    void ButtonChangeModeClick(QAbstractButton* sender);
    void ButtonEEPROMSaveClick();
    void PageControlChange();
    void TimerClearMemoTimer();
    bool IsConnectChecked() const override;
    bool IsPreviewActive() const override;

    // ---- Settings file --------------------------------------------------
    void LoadSettings();
    void SaveSettings();

    // ---- Access for tests and the emulator demo -------------------------
    Ui::TFormKR7* Form() const { return ui_.get(); }
    TKR7& Device() { return *device_; }
    const QImage& Preview() const;
    TCharsImage& Chars() { return chars_; }
    const QImage& DefaultChars() const { return charsDefault_; }
    const TServicePage& Service() const { return *service_; }
    const TLogoPage& Logo() const { return *logo_; }
    TTextPages& TextPages() { return *textPages_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    void SetClientHeight(int height);
    void ConnectMainHandlers();
    // Runs CheckBoxConnectClick once for each change of the box's state.
    void CheckBoxConnectChanged();
    // The connect lines after the port has opened, the text mode, the pause.
    void PortOpened();
    // The port is back after the device had vanished.
    void PortReopened();
    QString SettingsPath() const;

    std::unique_ptr<Ui::TFormKR7> ui_;
    TFormOptions options_;
    std::unique_ptr<TDialogs> ownDialogs_;
    std::unique_ptr<TPlatform> ownPlatform_;
    TDialogs* dialogs_ = nullptr;
    TPlatform* platform_ = nullptr;
    bool forceClose_ = false;
    bool destroyed_ = false;
    bool logEmpty_ = true;
    Qt::CheckState connectStateHandled_ = Qt::PartiallyChecked;

    QTimer* TimerClearMemo = nullptr;
    std::unique_ptr<TSequenceLine> line_;
    std::unique_ptr<TCOMSocket> port_;
    TReconnect* reconnect_ = nullptr; // a child of the window
    std::unique_ptr<TKR7> device_;

    // Preview and glyph set.
    std::unique_ptr<TPreview> preview_;
    TCharsImage chars_;
    QImage charsDefault_;

    // Pages.
    std::unique_ptr<TTextPages> textPages_;
    std::unique_ptr<TServicePage> service_;
    std::unique_ptr<TLogoPage> logo_;
};
