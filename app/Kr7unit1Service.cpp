// The window's service page. (placeholder bodies until the page is built)
#include "IniFile.h"
#include "Kr7unit1.h"

void TFormKR7::InitServicePage() {}
void TFormKR7::ConnectServiceHandlers() {}
bool TFormKR7::ServiceEventFilter(QObject*, QEvent*) {
    return false;
}
void TFormKR7::ButtonTestClick() {}
void TFormKR7::ButtonZoneTest1Click(QAbstractButton*) {}
void TFormKR7::ButtonTextCharOutClick(QAbstractButton*) {}
void TFormKR7::ButtonCrossShowClick() {}
void TFormKR7::ScrollBarCrossXYChange() {}
void TFormKR7::CreateCharEditor() {}
void TFormKR7::ShowActiveChar() {}
void TFormKR7::LoadCharEditor() {}
void TFormKR7::StoreCharEditor() {}
bool TFormKR7::UnsavedCharsCancelled() {
    return false;
}
void TFormKR7::SpeedButtonEditorMoveClick(QAbstractButton*) {}
void TFormKR7::SpeedButtonClearBlackClick(QAbstractButton*) {}
void TFormKR7::ButtonCharCopyClick() {}
void TFormKR7::ButtonCharPasteClick() {}
void TFormKR7::ButtonDefaultCharClick() {}
void TFormKR7::ButtonLoadFromBinaryFileClick() {}
void TFormKR7::ButtonSaveToBinaryFileClick() {}
void TFormKR7::ButtonLoadFromBitmapClick() {}
void TFormKR7::ButtonSaveToBitmapClick() {}
void TFormKR7::ButtonLoadDefaultBitmapClick() {
    chars_.Assign(charsDefault_);
    chars_.ClearModified();
    LoadCharEditor();
}
void TFormKR7::ButtonSendCharsToDeviceClick() {}
void TFormKR7::ButtonSendCharToDeviceClick() {}
