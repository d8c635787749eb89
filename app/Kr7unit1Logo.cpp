// The window's Logo page. (placeholder bodies until the page is built)
#include "IniFile.h"
#include "Kr7unit1.h"

void TFormKR7::InitLogoPage() {}
void TFormKR7::ConnectLogoHandlers() {}
bool TFormKR7::LogoEventFilter(QObject*, QEvent*) {
    return false;
}
void TFormKR7::LoadLogoSettings(TIniFile&) {}
void TFormKR7::SaveLogoSettings(TIniFile&, bool&) {}
void TFormKR7::RenderLogo(bool, bool) {}
void TFormKR7::UpdateLogoControls() {}
void TFormKR7::ClearLogo() {}
bool TFormKR7::IsInLogoPicture(int, int) const {
    return false;
}
void TFormKR7::DrawLogoPreview() {}
void TFormKR7::ButtonLogoLoadClick() {}
void TFormKR7::ButtonLogoClearClick() {}
void TFormKR7::ButtonLogoCalculateClick() {}
void TFormKR7::ButtonLogoProgramClick() {}
void TFormKR7::ButtonLogoShowClick() {}
