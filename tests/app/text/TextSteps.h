#pragma once

// The window the tests of the ticker, the pages and their files build, and
// what a user does on those pages. The rules behind them (file reads, windows
// of the ticker, page rows, settings values) are tested on the text engine in
// tests/models/text; the window tests keep the controls, the log and the wire.
#include "FakeSeams.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The log as the user reads it, line by line.
inline QStringList LogLines(const TFormKR7& form) {
    return TWindowControls(form).Memo->toPlainText().split(u'\n');
}

inline QTimer* Timer(TFormKR7& form, const char* name) {
    return form.findChild<QTimer*>(QString::fromLatin1(name));
}

// Types the port into its box and ticks the connect box.
inline void Connect(TFormKR7& form, const std::string& port) {
    const TWindowControls ui(form);
    UserInput::Type(ui.ComboBoxPort, QString::fromStdString(port));
    UserInput::SetChecked(ui.CheckBoxConnect, true);
}

// The file controls of the ticker or of the pages, so that one step serves both.
struct TFeatureFileControls {
    const char* feature;
    QWidget* TWindowControls::*page;
    QLineEdit* TWindowControls::*file;
    QCheckBox* TWindowControls::*read;
    const char* readTimer;
};

inline const TFeatureFileControls TICKER_FILE{"ticker", &TWindowControls::TabSheetHorizNeon,
                                              &TWindowControls::EditHorizFile, &TWindowControls::CheckBoxHorizFileRead,
                                              "TimerHorizNeonFileTime"};
inline const TFeatureFileControls PAGES_FILE{"pages", &TWindowControls::TabSheetVertNeon,
                                             &TWindowControls::EditVertFile, &TWindowControls::CheckBoxVertFileRead,
                                             "TimerVertNeonFileTime"};

// Shows the page, types the file's path and ticks its read box, which reads
// the file at once.
inline void ReadFile(const TWindowControls& ui, const TFeatureFileControls& controls, const QString& path) {
    UserInput::ShowPage(ui.PageControl, ui.*controls.page);
    UserInput::Type(ui.*controls.file, path);
    UserInput::SetChecked(ui.*controls.read, true);
}

// A fresh settings folder, the fake dialogs and clock, and the window on them.
class TTextWindowTest : public ::testing::Test {
protected:
    // The window shown on its first page, its settings in settingsDir.
    std::unique_ptr<TFormKR7> MakeForm(const QString& settingsDir) {
        auto form = MakeTestForm(settingsDir, service, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    std::unique_ptr<TFormKR7> MakeForm() { return MakeForm(dir.path()); }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return file.fileName();
    }
    QString SettingsPath() const { return dir.filePath(QStringLiteral("KR7Controller.ini")); }
    QByteArray SettingsText() const {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    bool service = false;
};
