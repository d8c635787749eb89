// The text pages together, in the order of their settings sections.
#include "text/TextPages.h"

TTextPages::TTextPages(Ui::TFormKR7& ui, const TTextPageServices& services, QObject* parent)
    : chooser_(services.dialogs), horiz_(ui, services, chooser_, parent), vert_(ui, services, chooser_, parent) {}

void TTextPages::Load(const TIniFile& ini) {
    restored_.Load(ini);
    horiz_.Load(restored_.Horiz);
    vert_.Load(restored_.Vert, ini);
}

void TTextPages::LoadEnabled() {
    horiz_.LoadEnabled(restored_.Horiz);
    vert_.LoadEnabled(restored_.Vert);
    restored_ = TTextSettings();
}

bool TTextPages::Save(TIniFile& ini) const {
    TTextSettings settings;
    horiz_.Save(settings.Horiz);
    vert_.Save(settings.Vert);
    return settings.Save(ini);
}
