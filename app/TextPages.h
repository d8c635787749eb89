#pragma once

#include "HorizNeonPage.h"
#include "TextFileChooser.h"
#include "TextPageServices.h"
#include "VertNeonPage.h"

class QObject;
class TIniFile;

namespace Ui {
class TFormKR7;
}

// The two text pages, the ticker and the vertical pages, with the file
// dialog they share (it pauses both while it is shown).
class TTextPages {
public:
    TTextPages(Ui::TFormKR7& ui, const TTextPageServices& services, QObject* parent);
    TTextPages(const TTextPages&) = delete;
    TTextPages& operator=(const TTextPages&) = delete;

    // HorizNeon, then VertNeon and VertNeonLines, each without Enabled.
    void Load(const TIniFile& ini);
    // The two Enabled keys: the features start only after the connection.
    void LoadEnabled(const TIniFile& ini);
    bool Save(TIniFile& ini) const;

    THorizNeonPage& Horiz() { return horiz_; }
    TVertNeonPage& Vert() { return vert_; }

private:
    TTextFileChooser chooser_;
    THorizNeonPage horiz_;
    TVertNeonPage vert_;
};
