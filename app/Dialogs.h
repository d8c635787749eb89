#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// Every modal dialog the window shows goes through this seam, so tests can
// script the answers.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    // OK/Cancel question; true for OK.
    virtual bool AskOkCancel(QWidget* parent, const QString& title, const QString& question) = 0;
    // filter uses the "Description|*.ext;*.ext2|..." form. Empty result: cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& fileName, const QString& filter) = 0;
    virtual QString SaveFile(QWidget* parent, const QString& fileName, const QString& filter,
                             const QString& defaultExt) = 0;
    virtual std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& text, int maxLength) = 0;
    virtual std::optional<QColor> PickColour(QWidget* parent, const QColor& initial) = 0;
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // The standard error box, for errors that no handler dealt with.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
};

// The dialogs of the running program.
class TQtDialogs : public TDialogs {
public:
    bool AskOkCancel(QWidget* parent, const QString& title, const QString& question) override;
    QString OpenFile(QWidget* parent, const QString& fileName, const QString& filter) override;
    QString SaveFile(QWidget* parent, const QString& fileName, const QString& filter,
                     const QString& defaultExt) override;
    std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& text, int maxLength) override;
    std::optional<QColor> PickColour(QWidget* parent, const QColor& initial) override;
    void Message(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
};

// Turns "Bitmap (*.bmp)|*.bmp" into the form of QFileDialog.
QString QtFilter(const QString& filter);
