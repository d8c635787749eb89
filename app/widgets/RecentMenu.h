#pragma once

#include "platform/FileDialogState.h"

#include <QString>

#include <functional>

class QAbstractButton;
class TDialogs;

// The files used most recently beside a button that opens a file dialog: its
// context menu (right click or the menu key) lists them by name, the full path
// as each entry's tooltip, and choosing one calls use with its path. The
// button's own click stays as it is; with no recent file there is no menu.
void AddRecentMenu(QAbstractButton& button, const TDialogs& dialogs, TFileDialog dialog,
                   std::function<void(const QString&)> use);
