#pragma once

#include "CharsImage.h"
#include "Dialogs.h"
#include "FormOptions.h"
#include "Platform.h"
#include "WindowServices.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QTimer;
class TCOMSocket;
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

// The main window "KR-7 Controller 2.0": start-up, connection, screen buttons,
// log and page change (Kr7unit1.cpp), the settings file (Kr7unit1Settings.cpp).
// The pages are controllers of their own: TTextPages, TLogoPage, TServicePage.
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
    // Closes without the unsaved-glyphs question (SIGTERM and friends),
    // keeping unsaved glyph edits for the next start.
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
    QString RecoveryFolder() const;

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
