#include "Dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

QString QtFilter(const QString& filter) {
    // "Text|*.a;*.b|Other|*.c" -> "Text (*.a *.b);;Other (*.c)"
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        QString description = parts.at(i);
        if (description.contains(u'('))
            out << description.left(description.indexOf(u'(')).trimmed() + QStringLiteral(" (") + patterns + u')';
        else
            out << description + QStringLiteral(" (") + patterns + u')';
    }
    return out.join(QStringLiteral(";;"));
}

bool TQtDialogs::AskOkCancel(QWidget* parent, const QString& title, const QString& question) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

QString TQtDialogs::OpenFile(QWidget* parent, const QString& fileName, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), fileName, QtFilter(filter));
}

QString TQtDialogs::SaveFile(QWidget* parent, const QString& fileName, const QString& filter,
                             const QString& defaultExt) {
    QFileDialog dialog(parent, QString(), fileName, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultExt);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
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
