#pragma once

#include "FeatureFile.h"
#include "platform/FileDialogState.h"

#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTimer;
class TMessageLog;
class TPlatform;
class TTextFileChooser;

// The controls of one text page that deal with its text file.
struct TTextFileControls {
    QLineEdit& field;    // the path
    QCheckBox& readBox;  // periodic reads on/off
    QScrollBar& timeBar; // seconds between reads
    QLabel& timeLabel;   // those seconds as minutes:seconds
    QLabel& lastRead;    // time of the last good read
    QTimer& timer;       // one read per timeout
};

// What tells the two pages' files apart.
struct TTextFileRules {
    TFileDialog dialog;   // which file dialog chooses it
    TTextFeature feature; // whose file it is: its limit and its log line
};

// The file side of a text page: the timed read with its log lines, the
// read switch and its interval, and the path field, which takes a file
// dropped on it and reports a double click.
class TTextFileField : public QObject {
    Q_OBJECT
public:
    // Receives a file read without failure.
    using TTake = std::function<void(const TFeatureFileRead& read)>;

    TTextFileField(const TTextFileControls& controls, const TTextFileRules& rules, TTake take,
                   TTextFileChooser& chooser, TMessageLog& log, TPlatform& platform);

    // Reads the file named in the field by the text engine's rule and hands
    // it to take. A failure is logged and switches the periodic read off.
    void Read();
    // The read switch changed: starts the timer and reads at once, or stops it.
    void ReadBoxChanged();
    // The file dialog, which sets the field but does not read the file.
    void Choose();
    // The interval bar changed: the timer's interval and its label follow.
    void TimeChanged();

signals:
    void DoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fail(const TTextEvent& failure);
    bool DropEvent(QEvent* event);

    TTextFileControls controls_;
    TTextFileRules rules_;
    TTake take_;
    TTextFileChooser& chooser_;
    TMessageLog& log_;
    TPlatform& platform_;
};
