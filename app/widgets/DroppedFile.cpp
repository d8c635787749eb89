#include "widgets/DroppedFile.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

std::optional<QString> DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    const QString path = urls.front().toLocalFile();
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

bool IsDropEvent(const QEvent* event) {
    const QEvent::Type type = event->type();
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

std::optional<QString> TakeDroppedFile(QEvent* event, bool acceptable) {
    if (!IsDropEvent(event))
        return std::nullopt;
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<QString> file = acceptable ? DroppedFile(drop->mimeData()) : std::nullopt;
    if (!file) {
        drop->ignore();
        return std::nullopt;
    }
    drop->acceptProposedAction();
    if (event->type() != QEvent::Drop)
        return std::nullopt;
    return file;
}
