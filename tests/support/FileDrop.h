#pragma once

// Files dragged from a file manager and dropped on a control: the enter, a
// move and the drop, delivered as the window system delivers them.
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <memory>

// The drag of urls over widget; true when the widget took the drop. A drag
// the widget refuses on entering is not dropped, as the desktop does it.
inline bool DropUrls(QWidget* widget, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF pos = QRectF(widget->rect()).center();
    QDragEnterEvent enter(pos.toPoint(), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(pos.toPoint(), enter.possibleActions(), &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(pos, enter.possibleActions(), &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QCoreApplication::sendEvent(widget, &drop);
    return drop.isAccepted();
}

// The drag of local files over widget, each named by its path.
inline bool DropFiles(QWidget* widget, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.push_back(QUrl::fromLocalFile(path));
    return DropUrls(widget, urls);
}
