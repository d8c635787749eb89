#include "WindowControls.h"

#include <QtGlobal>

namespace {

template <typename T> void Find(const QWidget& window, const char* name, T*& control) {
    control = window.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr)
        qFatal("the window has no %s named %s", T::staticMetaObject.className(), name);
}

} // namespace

TWindowControls::TWindowControls(const QWidget& window) {
    Find(window, "GroupBoxSettings", GroupBoxSettings);
    Find(window, "ComboBoxPort", ComboBoxPort);
    Find(window, "CheckBoxConnect", CheckBoxConnect);
    Find(window, "GroupBoxScreen", GroupBoxScreen);
    Find(window, "ButtonSaveScreen", ButtonSaveScreen);
    Find(window, "ButtonClrScr", ButtonClrScr);
    Find(window, "ButtonSetTextMode", ButtonSetTextMode);
    Find(window, "ButtonSetCrossMode", ButtonSetCrossMode);
    Find(window, "PanelMain", PanelMain);
    Find(window, "PageControl", PageControl);
    Find(window, "TabSheetPreview", TabSheetPreview);
    Find(window, "TabSheetHorizNeon", TabSheetHorizNeon);
    Find(window, "EditHorizNeon", EditHorizNeon);
    Find(window, "CheckBoxHorizNeonEnabled", CheckBoxHorizNeonEnabled);
    Find(window, "ScrollBarHorizNeonInterval", ScrollBarHorizNeonInterval);
    Find(window, "LabelHorizNeonInterval", LabelHorizNeonInterval);
    Find(window, "ScrollBarHorizNeonY", ScrollBarHorizNeonY);
    Find(window, "LabelHorizNeonY", LabelHorizNeonY);
    Find(window, "CheckBoxHorizFileRead", CheckBoxHorizFileRead);
    Find(window, "ScrollBarHorizFileTime", ScrollBarHorizFileTime);
    Find(window, "LabelHorizNeonFileTime", LabelHorizNeonFileTime);
    Find(window, "EditHorizFile", EditHorizFile);
    Find(window, "ButtonHorizFile", ButtonHorizFile);
    Find(window, "LabelHorizNeonLastTime", LabelHorizNeonLastTime);
    Find(window, "TabSheetVertNeon", TabSheetVertNeon);
    Find(window, "MemoVertNeon", MemoVertNeon);
    Find(window, "CheckBoxVertNeonEnabled", CheckBoxVertNeonEnabled);
    Find(window, "CheckBoxVertNeonCenter", CheckBoxVertNeonCenter);
    Find(window, "LabelVertNeonIntervalCaption", LabelVertNeonIntervalCaption);
    Find(window, "ScrollBarVertNeonInterval", ScrollBarVertNeonInterval);
    Find(window, "LabelVertNeonInterval", LabelVertNeonInterval);
    Find(window, "ScrollBarVertNeonY", ScrollBarVertNeonY);
    Find(window, "LabelVertNeonY", LabelVertNeonY);
    Find(window, "ScrollBarVertNeonHeight", ScrollBarVertNeonHeight);
    Find(window, "LabelVertNeonHeight", LabelVertNeonHeight);
    Find(window, "CheckBoxVertFileRead", CheckBoxVertFileRead);
    Find(window, "ScrollBarVertFileTime", ScrollBarVertFileTime);
    Find(window, "LabelVertNeonFileTime", LabelVertNeonFileTime);
    Find(window, "EditVertFile", EditVertFile);
    Find(window, "LabelVertNeonLastTime", LabelVertNeonLastTime);
    Find(window, "TabSheetLogo", TabSheetLogo);
    Find(window, "ImageLogo", ImageLogo);
    Find(window, "ProgressBarLogoProgress", ProgressBarLogoProgress);
    Find(window, "ScrollBarLogoPosX", ScrollBarLogoPosX);
    Find(window, "LabelLogoPosX", LabelLogoPosX);
    Find(window, "ScrollBarLogoPosY", ScrollBarLogoPosY);
    Find(window, "LabelLogoPosY", LabelLogoPosY);
    Find(window, "ScrollBarLogoWidth", ScrollBarLogoWidth);
    Find(window, "LabelLogoWidth", LabelLogoWidth);
    Find(window, "ScrollBarLogoHeight", ScrollBarLogoHeight);
    Find(window, "LabelLogoHeight", LabelLogoHeight);
    Find(window, "SpeedButtonLogoLeft", SpeedButtonLogoLeft);
    Find(window, "SpeedButtonLogoCenterPosX", SpeedButtonLogoCenterPosX);
    Find(window, "SpeedButtonLogoRight", SpeedButtonLogoRight);
    Find(window, "SpeedButtonLogoTop", SpeedButtonLogoTop);
    Find(window, "SpeedButtonLogoBottom", SpeedButtonLogoBottom);
    Find(window, "SpeedButtonLogoRestoreWidth", SpeedButtonLogoRestoreWidth);
    Find(window, "SpeedButtonLogoRestoreHeight", SpeedButtonLogoRestoreHeight);
    Find(window, "CheckBoxLogoProportional", CheckBoxLogoProportional);
    Find(window, "CheckBoxLogoShowGrid", CheckBoxLogoShowGrid);
    Find(window, "ButtonLogoLoad", ButtonLogoLoad);
    Find(window, "ButtonLogoClear", ButtonLogoClear);
    Find(window, "RadioButtonLogoColor0", RadioButtonLogoColor0);
    Find(window, "RadioButtonLogoColor1", RadioButtonLogoColor1);
    Find(window, "RadioButtonLogoColor2", RadioButtonLogoColor2);
    Find(window, "CheckBoxLogoNegative", CheckBoxLogoNegative);
    Find(window, "ScrollBarLogoLevelBW", ScrollBarLogoLevelBW);
    Find(window, "LabelLogoLevelBWValue", LabelLogoLevelBWValue);
    Find(window, "CheckBoxLogoTransparentColor", CheckBoxLogoTransparentColor);
    Find(window, "ShapeLogoTransparentColor", ShapeLogoTransparentColor);
    Find(window, "ScrollBarLogoTransparentColorTolerance", ScrollBarLogoTransparentColorTolerance);
    Find(window, "LabelLogoTransparentColorToleranceValue", LabelLogoTransparentColorToleranceValue);
    Find(window, "ButtonLogoCalculate", ButtonLogoCalculate);
    Find(window, "ButtonLogoProgram", ButtonLogoProgram);
    Find(window, "ButtonLogoProgramClear", ButtonLogoProgramClear);
    Find(window, "ButtonLogoShow", ButtonLogoShow);
    Find(window, "TabSheetService", TabSheetService);
    Find(window, "ProgressBarSendCharsToDevice", ProgressBarSendCharsToDevice);
    Find(window, "ButtonLoadFromBitmap", ButtonLoadFromBitmap);
    Find(window, "ButtonSendCharsToDevice", ButtonSendCharsToDevice);
    Find(window, "ButtonEEPROMSave", ButtonEEPROMSave);
    Find(window, "ButtonTurnCrossMode", ButtonTurnCrossMode);
    Find(window, "ButtonTurnTextMode", ButtonTurnTextMode);
    Find(window, "ButtonCharOut2", ButtonCharOut2);
    Find(window, "ScrollBarCrossX", ScrollBarCrossX);
    Find(window, "LabelCrossX", LabelCrossX);
    Find(window, "ScrollBarCrossY", ScrollBarCrossY);
    Find(window, "LabelCrossY", LabelCrossY);
    Find(window, "GroupBoxMessages", GroupBoxMessages);
    Find(window, "Memo", Memo);
}
