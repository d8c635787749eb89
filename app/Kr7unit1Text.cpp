// The window's horizontal ticker and the vertical pages. (placeholder bodies until the page is built)
#include "IniFile.h"
#include "Kr7unit1.h"

void TFormKR7::InitTextPages() {}
void TFormKR7::ConnectTextHandlers() {}
void TFormKR7::LoadTextSettings(TIniFile&) {}
void TFormKR7::EnableTextFeatures(TIniFile&) {}
void TFormKR7::SaveTextSettings(TIniFile&, bool&) {}
void TFormKR7::TimerHorizNeonTimer() {}
void TFormKR7::CheckBoxHorizNeonEnabledClick() {}
void TFormKR7::ScrollBarHorizNeonIntervalChange() {}
void TFormKR7::ScrollBarHorizNeonYChange() {}
void TFormKR7::EditHorizNeonChange() {}
void TFormKR7::ScrollBarHorizFileTimeChange() {}
void TFormKR7::CheckBoxHorizFileReadClick() {}
void TFormKR7::TimerHorizNeonFileTimeTimer() {}
void TFormKR7::ButtonHorizFileClick() {}
void TFormKR7::EditHorizFileDblClick() {}
void TFormKR7::ReadHorizFile() {}
void TFormKR7::TimerVertNeonTimer() {}
void TFormKR7::MemoVertNeonChange() {}
void TFormKR7::CheckBoxVertNeonEnabledClick() {}
void TFormKR7::ScrollBarVertNeonYLengthChange() {}
void TFormKR7::ScrollBarVertNeonIntervalChange() {}
void TFormKR7::ScrollBarVertFileTimeChange() {}
void TFormKR7::CheckBoxVertFileReadClick() {}
void TFormKR7::TimerVertNeonFileTimeTimer() {}
void TFormKR7::ButtonVertFileClick() {}
void TFormKR7::EditVertFileDblClick() {}
void TFormKR7::ReadVertFile() {}
