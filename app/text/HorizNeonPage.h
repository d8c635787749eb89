#pragma once

#include "Neon.h"
#include "text/TextFileField.h"
#include "text/TextPageServices.h"

#include <QObject>
#include <QTimer>

class TTextFileChooser;
struct THorizNeonSettings;

namespace Ui {
class TFormKR7;
}

// The page "Teletekst poziomy": the ticker, its timers, its text file and
// its section of the settings file.
class THorizNeonPage : public QObject {
    Q_OBJECT
public:
    THorizNeonPage(Ui::TFormKR7& ui, const TTextPageServices& services, TTextFileChooser& chooser, QObject* parent);

    // Restores the controls from the section's values but Enabled, which
    // waits for the connection.
    void Load(const THorizNeonSettings& settings);
    void LoadEnabled(const THorizNeonSettings& settings);
    void Save(THorizNeonSettings& settings) const;

    THorizNeon& Neon() { return neon_; }

    void TimerHorizNeonTimer();
    void CheckBoxHorizNeonEnabledClick();
    void ScrollBarHorizNeonIntervalChange();
    void ScrollBarHorizNeonYChange();
    void EditHorizNeonChange();
    void ScrollBarHorizFileTimeChange() { file_.TimeChanged(); }
    void CheckBoxHorizFileReadClick() { file_.ReadBoxChanged(); }
    void TimerHorizNeonFileTimeTimer() { ReadHorizFile(); }
    void ButtonHorizFileClick() { file_.Choose(); }
    void EditHorizFileDblClick();
    void ReadHorizFile() { file_.Read(); }

private:
    void TakeRowFromBar();
    void ConnectHandlers();

    Ui::TFormKR7& ui_;
    TTextPageServices services_;
    THorizNeon neon_;
    QTimer TimerHorizNeon{this};
    QTimer TimerHorizNeonFileTime{this};
    TTextFileField file_;
};
