#pragma once

#include "Neon.h"
#include "TextFileField.h"
#include "TextPageServices.h"

#include <QObject>
#include <QTimer>

class TIniFile;
class TTextFileChooser;

namespace Ui {
class TFormKR7;
}

// The page "Teletekst pionowy": the pages, their timers, their text file and
// the sections VertNeon and VertNeonLines of the settings file.
class TVertNeonPage : public QObject {
    Q_OBJECT
public:
    TVertNeonPage(Ui::TFormKR7& ui, const TTextPageServices& services, TTextFileChooser& chooser, QObject* parent);

    // The sections without Enabled, which follows the connection.
    void Load(const TIniFile& ini);
    void LoadEnabled(const TIniFile& ini);
    bool Save(TIniFile& ini) const;

    TVertNeon& Neon() { return neon_; }

    void TimerVertNeonTimer();
    void MemoVertNeonChange();
    void CheckBoxVertNeonEnabledClick();
    void ScrollBarVertNeonYLengthChange();
    void ScrollBarVertNeonIntervalChange();
    void ScrollBarVertFileTimeChange();
    void CheckBoxVertFileReadClick();
    void TimerVertNeonFileTimeTimer();
    void ButtonVertFileClick();
    void EditVertFileDblClick();
    void ReadVertFile();

private:
    void ConnectHandlers();
    // Takes a file's lines as the editor's lines.
    bool TakeFileLines(const std::vector<std::string>& lines);
    void LoadWindow(const TIniFile& ini);
    bool SaveLines(TIniFile& ini) const;

    Ui::TFormKR7& ui_;
    TTextPageServices services_;
    TTextFileChooser& chooser_;
    TVertNeon neon_;
    QTimer TimerVertNeon{this};
    QTimer TimerVertNeonFileTime{this};
    TTextFileField file_;
};
