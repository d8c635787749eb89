#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class TEmulatorSession;

// The emulated display at twice its size, the traffic as it arrives, and the counters.
class TEmulatorWindow : public QWidget {
public:
    TEmulatorWindow(TEmulatorSession& session, const QString& portText, QWidget* parent = nullptr);

    // One line of the traffic pane; the screen and counters follow shortly.
    void AppendTraffic(const QString& line);
    // Redraws the screen and the counters at once.
    void Refresh();

private:
    TEmulatorSession& session_;
    QLabel* screen_ = nullptr;
    QLabel* counters_ = nullptr;
    QPlainTextEdit* traffic_ = nullptr;
    QTimer refreshTimer_;
    QTimer lineTimer_;
};
