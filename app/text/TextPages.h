#pragma once

#include "TextSettings.h"
#include "text/HorizNeonPage.h"
#include "text/TextFileChooser.h"
#include "text/TextPageServices.h"
#include "text/VertNeonPage.h"

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

    // Restores HorizNeon, then VertNeon and VertNeonLines, each but Enabled.
    void Load(const TIniFile& ini);
    // The two Enabled values of that load: the features start only after
    // the connection.
    void LoadEnabled();
    // Writes the three sections in their order; false when a write failed.
    bool Save(TIniFile& ini) const;

    THorizNeonPage& Horiz() { return horiz_; }
    TVertNeonPage& Vert() { return vert_; }

private:
    TTextFileChooser chooser_;
    THorizNeonPage horiz_;
    TVertNeonPage vert_;
    TTextSettings restored_; // from Load until LoadEnabled
};
