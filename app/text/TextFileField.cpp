// The text file of the ticker or the pages: reading it, its read timer and
// the path field.
#include "text/TextFileField.h"

#include "Neon.h"
#include "TextWords.h"
#include "platform/Platform.h"
#include "shell/WindowServices.h"
#include "text/TextFileChooser.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

namespace {

QString MinutesSeconds(int seconds) {
    return QString::asprintf("%.2i:%.2i", seconds / 60, seconds % 60);
}

// The one local file, not a folder, that urls name, or an empty string.
QString DroppedFile(const QList<QUrl>& urls) {
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

TTextFileField::TTextFileField(const TTextFileControls& controls, const TTextFileRules& rules, TTake take,
                               TTextFileChooser& chooser, TMessageLog& log, TPlatform& platform)
    : controls_(controls), rules_(rules), take_(std::move(take)), chooser_(chooser), log_(log), platform_(platform) {
    controls_.field.installEventFilter(this);
}

void TTextFileField::Read() {
    const TFeatureFileRead read = ReadFeatureFile(rules_.feature, controls_.field.text());
    if (read.failure) {
        Fail(*read.failure);
        return;
    }
    take_(read);
    controls_.lastRead.setText(LastReadLine(platform_.Now()));
}

void TTextFileField::ReadBoxChanged() {
    if (!controls_.readBox.isChecked()) {
        controls_.timer.stop();
        return;
    }
    controls_.timer.start();
    Read();
}

void TTextFileField::Choose() {
    chooser_.Choose(controls_.field, rules_.dialog);
}

void TTextFileField::TimeChanged() {
    const int s = controls_.timeBar.value();
    controls_.timer.setInterval(s * 1000);
    controls_.timeLabel.setText(MinutesSeconds(s));
}

void TTextFileField::Fail(const TTextEvent& failure) {
    log_.Log(TextEventLine(failure));
    controls_.readBox.setChecked(false);
}

bool TTextFileField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &controls_.field)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        emit DoubleClicked();
        return true;
    }
    if (DropEvent(event))
        return true;
    return QObject::eventFilter(watched, event);
}

// A drag that carries file names: one text file is taken as the path, as the
// file dialog would set it; other names are refused rather than typed in.
// Drags of plain text are left to the field.
bool TTextFileField::DropEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* mime = drop->mimeData();
    if (mime == nullptr || !mime->hasUrls())
        return false;
    const QString path = DroppedFile(mime->urls());
    if (path.isEmpty()) {
        drop->ignore();
        return true;
    }
    if (type == QEvent::Drop)
        controls_.field.setText(path);
    drop->acceptProposedAction();
    return true;
}
