#pragma once

// The window's controls as a test reaches them: each one found by its object
// name, the way a user finds it by its caption. A missing control ends the
// program with its name: the window lost a designed control.

#include "logo/ImageView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

struct TWindowControls {
    explicit TWindowControls(const QWidget& window);

    QGroupBox* GroupBoxSettings = nullptr;
    QComboBox* ComboBoxPort = nullptr;
    QCheckBox* CheckBoxConnect = nullptr;
    QGroupBox* GroupBoxScreen = nullptr;
    QPushButton* ButtonSaveScreen = nullptr;
    QPushButton* ButtonClrScr = nullptr;
    QPushButton* ButtonSetTextMode = nullptr;
    QPushButton* ButtonSetCrossMode = nullptr;
    QFrame* PanelMain = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetPreview = nullptr;
    QWidget* TabSheetHorizNeon = nullptr;
    QLineEdit* EditHorizNeon = nullptr;
    QCheckBox* CheckBoxHorizNeonEnabled = nullptr;
    QScrollBar* ScrollBarHorizNeonInterval = nullptr;
    QLabel* LabelHorizNeonInterval = nullptr;
    QScrollBar* ScrollBarHorizNeonY = nullptr;
    QLabel* LabelHorizNeonY = nullptr;
    QCheckBox* CheckBoxHorizFileRead = nullptr;
    QScrollBar* ScrollBarHorizFileTime = nullptr;
    QLabel* LabelHorizNeonFileTime = nullptr;
    QLineEdit* EditHorizFile = nullptr;
    QPushButton* ButtonHorizFile = nullptr;
    QLabel* LabelHorizNeonLastTime = nullptr;
    QWidget* TabSheetVertNeon = nullptr;
    QPlainTextEdit* MemoVertNeon = nullptr;
    QCheckBox* CheckBoxVertNeonEnabled = nullptr;
    QCheckBox* CheckBoxVertNeonCenter = nullptr;
    QLabel* LabelVertNeonIntervalCaption = nullptr;
    QScrollBar* ScrollBarVertNeonInterval = nullptr;
    QLabel* LabelVertNeonInterval = nullptr;
    QScrollBar* ScrollBarVertNeonY = nullptr;
    QLabel* LabelVertNeonY = nullptr;
    QScrollBar* ScrollBarVertNeonHeight = nullptr;
    QLabel* LabelVertNeonHeight = nullptr;
    QCheckBox* CheckBoxVertFileRead = nullptr;
    QScrollBar* ScrollBarVertFileTime = nullptr;
    QLabel* LabelVertNeonFileTime = nullptr;
    QLineEdit* EditVertFile = nullptr;
    QLabel* LabelVertNeonLastTime = nullptr;
    QWidget* TabSheetLogo = nullptr;
    TImageView* ImageLogo = nullptr;
    QProgressBar* ProgressBarLogoProgress = nullptr;
    QScrollBar* ScrollBarLogoPosX = nullptr;
    QLabel* LabelLogoPosX = nullptr;
    QScrollBar* ScrollBarLogoPosY = nullptr;
    QLabel* LabelLogoPosY = nullptr;
    QScrollBar* ScrollBarLogoWidth = nullptr;
    QLabel* LabelLogoWidth = nullptr;
    QScrollBar* ScrollBarLogoHeight = nullptr;
    QLabel* LabelLogoHeight = nullptr;
    QToolButton* SpeedButtonLogoLeft = nullptr;
    QToolButton* SpeedButtonLogoCenterPosX = nullptr;
    QToolButton* SpeedButtonLogoRight = nullptr;
    QToolButton* SpeedButtonLogoTop = nullptr;
    QToolButton* SpeedButtonLogoBottom = nullptr;
    QToolButton* SpeedButtonLogoRestoreWidth = nullptr;
    QToolButton* SpeedButtonLogoRestoreHeight = nullptr;
    QCheckBox* CheckBoxLogoProportional = nullptr;
    QCheckBox* CheckBoxLogoShowGrid = nullptr;
    QPushButton* ButtonLogoLoad = nullptr;
    QPushButton* ButtonLogoClear = nullptr;
    QRadioButton* RadioButtonLogoColor0 = nullptr;
    QRadioButton* RadioButtonLogoColor1 = nullptr;
    QRadioButton* RadioButtonLogoColor2 = nullptr;
    QCheckBox* CheckBoxLogoNegative = nullptr;
    QScrollBar* ScrollBarLogoLevelBW = nullptr;
    QLabel* LabelLogoLevelBWValue = nullptr;
    QCheckBox* CheckBoxLogoTransparentColor = nullptr;
    QFrame* ShapeLogoTransparentColor = nullptr;
    QScrollBar* ScrollBarLogoTransparentColorTolerance = nullptr;
    QLabel* LabelLogoTransparentColorToleranceValue = nullptr;
    QPushButton* ButtonLogoCalculate = nullptr;
    QPushButton* ButtonLogoProgram = nullptr;
    QPushButton* ButtonLogoProgramClear = nullptr;
    QPushButton* ButtonLogoShow = nullptr;
    QWidget* TabSheetService = nullptr;
    QProgressBar* ProgressBarSendCharsToDevice = nullptr;
    QPushButton* ButtonLoadFromBitmap = nullptr;
    QPushButton* ButtonSendCharsToDevice = nullptr;
    QPushButton* ButtonEEPROMSave = nullptr;
    QPushButton* ButtonTurnCrossMode = nullptr;
    QPushButton* ButtonTurnTextMode = nullptr;
    QPushButton* ButtonCharOut2 = nullptr;
    QScrollBar* ScrollBarCrossX = nullptr;
    QLabel* LabelCrossX = nullptr;
    QScrollBar* ScrollBarCrossY = nullptr;
    QLabel* LabelCrossY = nullptr;
    QGroupBox* GroupBoxMessages = nullptr;
    QPlainTextEdit* Memo = nullptr;
};
