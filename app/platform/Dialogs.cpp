#include "platform/Dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// "*.a;*.*" -> "*.a *": on Linux "*.*" would hide files without a dot.
QString QtPatterns(const QString& patterns) {
    QStringList out;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        out << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
    }
    return out.join(u' ');
}

} // namespace

QString QtFilter(const QString& filter) {
    // "Text|*.a;*.b|Other|*.c" -> "Text (*.a *.b);;Other (*.c)"
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QtPatterns(parts.at(i + 1));
        QString description = parts.at(i);
        if (description.contains(u'('))
            out << description.left(description.indexOf(u'(')).trimmed() + QStringLiteral(" (") + patterns + u')';
        else
            out << description + QStringLiteral(" (") + patterns + u')';
    }
    return out.join(QStringLiteral(";;"));
}

QString DialogStart(const QString& fileName, const QString& rememberedFolder) {
    if (rememberedFolder.isEmpty() || fileName.contains(u'/'))
        return fileName;
    if (fileName.isEmpty())
        return rememberedFolder;
    return rememberedFolder + u'/' + fileName;
}

TQtDialogs::TQtDialogs(const QString& statePath) : fileState_(statePath) {}

bool TQtDialogs::AskOkCancel(QWidget* parent, const QString& title, const QString& question) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

QString TQtDialogs::OpenFile(QWidget* parent, TFileDialog which, const QString& fileName, const QString& filter) {
    const QString start = DialogStart(fileName, fileState_.Folder(which));
    QFileDialog dialog(parent, QString(), start, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().first();
    fileState_.Chosen(which, chosen);
    return chosen;
}

QString TQtDialogs::SaveFile(QWidget* parent, TFileDialog which, const QString& fileName, const QString& filter,
                             const QString& defaultExt) {
    const QString start = DialogStart(fileName, fileState_.Folder(which));
    QFileDialog dialog(parent, QString(), start, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultExt);
    if (!fileName.isEmpty())
        dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().first();
    fileState_.Chosen(which, chosen);
    return chosen;
}

QStringList TQtDialogs::Recent(TFileDialog dialog) const {
    return fileState_.Recent(dialog);
}

void TQtDialogs::Reused(TFileDialog dialog, const QString& file) {
    fileState_.Chosen(dialog, file);
}

std::optional<QString> TQtDialogs::InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& text, int maxLength) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().left(maxLength);
}

std::optional<QColor> TQtDialogs::PickColour(QWidget* parent, const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void TQtDialogs::Message(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, parent != nullptr ? parent->windowTitle() : QString(), text);
}

void TQtDialogs::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QCoreApplication::applicationName(), text);
}
