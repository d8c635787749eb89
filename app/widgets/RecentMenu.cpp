#include "widgets/RecentMenu.h"

#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <utility>

namespace {

void ShowRecentMenu(QAbstractButton& button, const QStringList& files, const QPoint& pos,
                    const std::function<void(const QString&)>& use) {
    auto* menu = new QMenu(&button);
    menu->setObjectName(QStringLiteral("RecentMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setToolTipsVisible(true);
    for (const QString& file : files) {
        QAction* entry = menu->addAction(QFileInfo(file).fileName());
        entry->setToolTip(QDir::toNativeSeparators(file));
        QObject::connect(entry, &QAction::triggered, &button, [use, file] { use(file); });
    }
    menu->popup(button.mapToGlobal(pos));
}

} // namespace

void AddRecentMenu(QAbstractButton& button, const TDialogs& dialogs, TFileDialog dialog,
                   std::function<void(const QString&)> use) {
    button.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&button, &QWidget::customContextMenuRequested, &button,
                     [&button, &dialogs, dialog, use = std::move(use)](const QPoint& pos) {
                         const QStringList files = dialogs.Recent(dialog);
                         if (!files.isEmpty())
                             ShowRecentMenu(button, files, pos, use);
                     });
}
