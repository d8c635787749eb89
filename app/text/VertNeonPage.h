#pragma once

#include "Neon.h"
#include "text/TextFileField.h"
#include "text/TextPageServices.h"

#include <QObject>
#include <QTimer>

class TIniFile;
class TTextFileChooser;
struct TVertNeonSettings;

namespace Ui {
class TFormKR7;
}

// The page "Teletekst pionowy": the pages, their timers, their text file and
// the sections VertNeon and VertNeonLines of the settings file.
class TVertNeonPage : public QObject {
    Q_OBJECT
public:
    TVertNeonPage(Ui::TFormKR7& ui, const TTextPageServices& services, TTextFileChooser& chooser, QObject* parent);

    // Restores the controls from the sections' values but Enabled, which
    // waits for the connection. The editor takes the stored lines of ini as
    // they stand, an empty line for each missing key.
    void Load(const TVertNeonSettings& settings, const TIniFile& ini);
    void LoadEnabled(const TVertNeonSettings& settings);
    void Save(TVertNeonSettings& settings) const;

    TVertNeon& Neon() { return neon_; }

    void TimerVertNeonTimer();
    void MemoVertNeonChange();
    void CheckBoxVertNeonEnabledClick();
    void ScrollBarVertNeonYLengthChange();
    void ScrollBarVertNeonIntervalChange();
    void ScrollBarVertFileTimeChange() { file_.TimeChanged(); }
    void CheckBoxVertFileReadClick() { file_.ReadBoxChanged(); }
    void TimerVertNeonFileTimeTimer() { ReadVertFile(); }
    void ButtonVertFileClick() { file_.Choose(); }
    void EditVertFileDblClick();
    void ReadVertFile() { file_.Read(); }

private:
    void ConnectHandlers();
    // Takes a file's lines as the editor's lines.
    void TakeFileLines(const std::vector<std::string>& lines);
    void LoadWindow(int posY, int height);
    void TakeWindowFromBars();

    Ui::TFormKR7& ui_;
    TTextPageServices services_;
    TVertNeon neon_;
    QTimer TimerVertNeon{this};
    QTimer TimerVertNeonFileTime{this};
    TTextFileField file_;
};
