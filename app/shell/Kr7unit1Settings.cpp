// The window's settings: restored from "KR7Controller.ini" at start-up and
// written back when the window goes away.
#include "Codepage.h"
#include "IniFile.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"
#include "ui_Kr7unit1.h"

#include <QGuiApplication>
#include <QScreen>

#include <exception>

namespace {

const std::string SETTINGS = "Settings";

} // namespace

QString TFormKR7::SettingsPath() const {
    return options_.settingsDir + QStringLiteral("/KR7Controller.ini");
}

void TFormKR7::LoadSettings() {
    TIniFile ini(SettingsPath());
    try {
        ui_->ComboBoxPort->setEditText(FromCp1250(ini.ReadString(SETTINGS, "Port", "COM1")));

        const int page = ini.ReadInteger(SETTINGS, "ActivePageIndex", 0);
        const bool usable = page >= 0 && page < ui_->PageControl->count() && ui_->PageControl->isTabVisible(page);
        {
            const QSignalBlocker blocker(ui_->PageControl);
            ui_->PageControl->setCurrentIndex(usable ? page : 0);
        }
        PageControlChange();

        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize area = screen != nullptr ? screen->geometry().size() : QSize(width(), height());
        const int left = ini.ReadInteger(SETTINGS, "Left", (area.width() - width()) / 2);
        const int top = ini.ReadInteger(SETTINGS, "Top", (area.height() - height()) / 2);
        move(left, top);
        KeepOnScreen();

        textPages_->Load(ini);
        ui_->CheckBoxConnect->setChecked(ini.ReadBool(SETTINGS, "Connected", false));
        textPages_->LoadEnabled();
        logo_->Load(ini);
    } catch (const std::exception&) {
        Log(tr("Błąd odczytu konfiguracji."));
    }
}

void TFormKR7::SaveSettings() {
    TIniFile ini(SettingsPath());
    bool ok = ini.WriteString(SETTINGS, "Port", ToCp1250(ui_->ComboBoxPort->currentText())) &&
              ini.WriteBool(SETTINGS, "Connected", IsConnectChecked()) &&
              ini.WriteInteger(SETTINGS, "ActivePageIndex", ui_->PageControl->currentIndex()) &&
              ini.WriteInteger(SETTINGS, "Left", x()) && ini.WriteInteger(SETTINGS, "Top", y());
    ok = ok && textPages_->Save(ini);
    if (ok)
        ok = logo_->Save(ini);
    // One write of the whole file, holding every key set up to a failure.
    const bool written = ini.Save();
    if (!ok || !written)
        dialogs_->Message(this, tr("Błąd zapisu konfiguracji."));
}
