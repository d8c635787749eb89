#pragma once

#include <QString>

#include <optional>

class QEvent;
class QMimeData;

// The one local file that a drag carries; none for several files, a folder or
// anything that is not a local file.
std::optional<QString> DroppedFile(const QMimeData* data);

// For the drag events on a control that takes one dropped file: accepts or
// refuses the drag, and returns the file when it was dropped. None for any
// other event, and for a drag still on its way.
std::optional<QString> TakeDroppedFile(QEvent* event, bool acceptable);

// True for the drag-and-drop events, which TakeDroppedFile handles.
bool IsDropEvent(const QEvent* event);
