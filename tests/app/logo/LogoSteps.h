#pragma once

// What an operator does on the Logo page, and the window the Logo page tests
// share: shown offscreen on the Logo page with an empty log, the pictures
// they import, and where they read what happened (the log, the bars).
#include "FakeSeams.h"
#include "PictureFile.h"
#include "Protocol.h"
#include "PtyPort.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"

#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

inline QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A w x h picture: left half blue, right half red.
inline QImage Halves(int w, int h) {
    QImage picture = Filled(w, h, 0xFF0000FF);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            picture.setPixel(x, y, 0xFFFF0000);
    return picture;
}

// "Importuj" with the open dialog answered by path.
inline void ImportLogo(const TWindowControls& ui, TFakeDialogs& dialogs, const QString& path) {
    dialogs.openAnswers.push_back(path);
    UserInput::Click(ui.ButtonLogoLoad);
}

// The page's controls are off until a picture is in: a user sets the width
// and the background removal on one picture, removes it, and the next import
// starts from them. The placeholder is written to placeholderPath; the log
// is cleared afterwards.
inline void PresetLogo(const TWindowControls& ui, TFakeDialogs& dialogs, const QString& placeholderPath,
                       std::optional<int> width, std::optional<bool> transparent) {
    ASSERT_TRUE(SaveBmp32File(Filled(10, 10, 0xFF000000), placeholderPath));
    ImportLogo(ui, dialogs, placeholderPath);
    if (width)
        UserInput::SetValue(ui.ScrollBarLogoWidth, *width);
    if (transparent)
        UserInput::SetChecked(ui.CheckBoxLogoTransparentColor, *transparent);
    UserInput::Click(ui.ButtonLogoClear);
    ui.Memo->clear();
}

// Files in the window's settings folder: TTempFolder's Path, Write and Read.
class LogoFixture : public ::testing::Test, protected TTempFolder {
protected:
    // A window of its own settings folder, shown on the Logo page, log empty.
    std::unique_ptr<TFormKR7> MakeForm(bool service = false) {
        auto form = MakeTestForm(dir.path(), service, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
        ui.Memo->clear();
        return form;
    }
    // The picture written under name: a .bmp at 32 bits, others by the suffix.
    QString Save(const QImage& picture, const QString& name) const {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(name.endsWith(".bmp") ? SaveBmp32File(picture, path) : picture.save(path));
        return path;
    }
    // "Importuj" on an empty log.
    void Import(TFormKR7& form, const QString& path) {
        TWindowControls(form).Memo->clear();
        ImportLogo(TWindowControls(form), dialogs, path);
    }
    void Preset(TFormKR7& form, std::optional<int> width, std::optional<bool> transparent) {
        PresetLogo(TWindowControls(form), dialogs, dir.filePath("preset.bmp"), width, transparent);
    }
    // A 360 x 288 picture placed at (0, 0) over the whole view; the log emptied.
    void ImportScreen(TFormKR7& form, const QImage& picture) {
        const TWindowControls ui(form);
        Import(form, Save(picture, "screen.bmp"));
        UserInput::SetValue(ui.ScrollBarLogoWidth, 360);
        UserInput::SetValue(ui.ScrollBarLogoPosX, 0);
        UserInput::SetValue(ui.ScrollBarLogoPosY, 0);
        ui.Memo->clear();
    }
    // The port typed and "Połącz" checked; the connection's frame taken.
    static void Connect(TFormKR7& form, TPtyPort& pty) {
        UserInput::Type(TWindowControls(form).ComboBoxPort, QString::fromStdString(pty.Name()));
        UserInput::SetChecked(TWindowControls(form).CheckBoxConnect, true);
        pty.TakeAtLeast(FRAME_SIZE);
    }

    // The lines logged since the log was last emptied (an emptied log keeps
    // one empty line of its own).
    static QStringList LogLines(const TFormKR7& form) {
        return TWindowControls(form).Memo->toPlainText().split(u'\n').mid(1);
    }
    static QStringList Loaded() {
        return {QString(), "Wczytywanie pliku graficznego...", "Wczytywanie pliku graficznego powiodło się."};
    }
    static QPoint Placement(const TFormKR7& form) {
        return {TWindowControls(form).ScrollBarLogoPosX->value(), TWindowControls(form).ScrollBarLogoPosY->value()};
    }
    static QSize Size(const TFormKR7& form) {
        return {TWindowControls(form).ScrollBarLogoWidth->value(), TWindowControls(form).ScrollBarLogoHeight->value()};
    }
    // A mouse event sent straight to widget, at pos in its own coordinates.
    static void Mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }

    TFakeDialogs dialogs;
    TFakePlatform platform;
};
