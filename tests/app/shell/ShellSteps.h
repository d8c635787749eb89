#pragma once

// The window the shell tests build, in a fresh settings folder with the fake
// dialogs and clock, and what a user does to connect. The rules behind the
// window (port names, open failures, the settings file, the reconnect policy)
// are tested in tests/common and tests/models; the shell tests keep the
// controls, the log and the wire.
#include "FakeSeams.h"
#include "IniFile.h"
#include "PtyPort.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class TShellTest : public ::testing::Test, protected TTempFolder {
protected:
    // The log of a connection that opened COM<port>, from an empty log.
    static QStringList Connected(int port) {
        return {QString(), QStringLiteral("Trwa łączenie...."), QStringLiteral("Port połączony."),
                QStringLiteral("Port: COM%1").arg(port)};
    }
    // The log of a disconnection, from an empty log.
    static QStringList Disconnected() { return {QString(), QStringLiteral("Port niepołączony.")}; }
    // The log of a failed open, from an empty log, before the line that says why.
    static QStringList FailedConnect() {
        return {QString(), QStringLiteral("Trwa łączenie...."), QStringLiteral("Błąd otwarcia portu."), QString(),
                QStringLiteral("Port niepołączony.")};
    }
    // The frame that sets text mode, sent on every connection.
    static constexpr const char* TEXT_MODE = "FF 00 01 01 00 00 00 00 00 02";

    // The window shown, its settings in folder (the test's own by default).
    std::unique_ptr<TFormKR7> MakeForm(bool service = false, const QString& folder = QString()) {
        auto form = MakeTestForm(folder.isEmpty() ? dir.path() : folder, service, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    // The port typed into its box and "Połącz" ticked.
    static void Connect(TFormKR7& form, const QString& port) {
        const TWindowControls ui(form);
        UserInput::Type(ui.ComboBoxPort, port);
        UserInput::SetChecked(ui.CheckBoxConnect, true);
    }
    static void Connect(TFormKR7& form, const TPtyPort& pty) { Connect(form, QString::fromStdString(pty.Name())); }

    QString SettingsPath() const { return Path(QStringLiteral("KR7Controller.ini")); }
    void WriteSettings(const QByteArray& text) const { Write(QStringLiteral("KR7Controller.ini"), text); }
    TIniFile Settings() const { return TIniFile(SettingsPath()); }

    TFakeDialogs dialogs;
    TFakePlatform platform;
};
