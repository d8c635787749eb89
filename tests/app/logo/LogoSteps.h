#pragma once

// What an operator does on the Logo page, shared by its test fixtures.
#include "FakeSeams.h"
#include "PictureFile.h"
#include "UserInput.h"
#include "WindowControls.h"

#include <QImage>

#include <gtest/gtest.h>

#include <optional>

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
    QImage placeholder(10, 10, QImage::Format_RGB32);
    placeholder.fill(0xFF000000);
    ASSERT_TRUE(SaveBmp32File(placeholder, placeholderPath));
    ImportLogo(ui, dialogs, placeholderPath);
    if (width)
        UserInput::SetValue(ui.ScrollBarLogoWidth, *width);
    if (transparent)
        UserInput::SetChecked(ui.CheckBoxLogoTransparentColor, *transparent);
    UserInput::Click(ui.ButtonLogoClear);
    ui.Memo->clear();
}
