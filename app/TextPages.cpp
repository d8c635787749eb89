// The text pages together, in the order of their settings sections.
#include "TextPages.h"

#include "IniFile.h"

TTextPages::TTextPages(Ui::TFormKR7& ui, const TTextPageServices& services, QObject* parent)
    : chooser_(services.dialogs), horiz_(ui, services, chooser_, parent), vert_(ui, services, chooser_, parent) {}

void TTextPages::Load(const TIniFile& ini) {
    horiz_.Load(ini);
    vert_.Load(ini);
}

void TTextPages::LoadEnabled(const TIniFile& ini) {
    horiz_.LoadEnabled(ini);
    vert_.LoadEnabled(ini);
}

bool TTextPages::Save(TIniFile& ini) const {
    return horiz_.Save(ini) && vert_.Save(ini);
}
