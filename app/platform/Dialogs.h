#pragma once

#include "platform/FileDialogState.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// Every modal dialog the window shows goes through this seam, so tests can
// script the answers.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    // OK/Cancel question; true for OK.
    virtual bool AskOkCancel(QWidget* parent, const QString& title, const QString& question) = 0;
    // filter uses the "Description|*.ext;*.ext2|..." form; dialog names which
    // of the window's file dialogs this is. Empty result: cancelled.
    virtual QString OpenFile(QWidget* parent, TFileDialog dialog, const QString& fileName, const QString& filter) = 0;
    virtual QString SaveFile(QWidget* parent, TFileDialog dialog, const QString& fileName, const QString& filter,
                             const QString& defaultExt) = 0;
    // The recent files offered beside a file dialog, newest first.
    virtual QStringList Recent(TFileDialog dialog) const = 0;
    // A file taken from that list and used successfully: it heads the list again.
    virtual void Reused(TFileDialog dialog, const QString& file) = 0;
    virtual std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& text, int maxLength) = 0;
    virtual std::optional<QColor> PickColour(QWidget* parent, const QColor& initial) = 0;
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // The standard error box, for errors that no handler dealt with.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
};

// The dialogs of the running program. A file dialog given no folder opens in
// the one it was last used in, remembered across runs in statePath.
class TQtDialogs : public TDialogs {
public:
    explicit TQtDialogs(const QString& statePath = TFileDialogState::DefaultPath());

    bool AskOkCancel(QWidget* parent, const QString& title, const QString& question) override;
    QString OpenFile(QWidget* parent, TFileDialog dialog, const QString& fileName, const QString& filter) override;
    QString SaveFile(QWidget* parent, TFileDialog dialog, const QString& fileName, const QString& filter,
                     const QString& defaultExt) override;
    QStringList Recent(TFileDialog dialog) const override;
    void Reused(TFileDialog dialog, const QString& file) override;
    std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& text, int maxLength) override;
    std::optional<QColor> PickColour(QWidget* parent, const QColor& initial) override;
    void Message(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;

    // The remembered folders and the recent pictures and glyph sets.
    const TFileDialogState& FileState() const { return fileState_; }

private:
    TFileDialogState fileState_;
};

// Turns "Bitmap (*.bmp)|*.bmp" into the form of QFileDialog. "*.*" becomes
// "*", so files without an extension are listed too.
QString QtFilter(const QString& filter);

// Where a file dialog starts: fileName as given when it names a folder,
// otherwise fileName inside the remembered folder.
QString DialogStart(const QString& fileName, const QString& rememberedFolder);
