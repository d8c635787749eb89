#pragma once

#include "platform/Dialogs.h"

#include <QApplication>

#include <memory>

class TFormKR7;
struct TFormOptions;

// The program's application object. An error that escapes an event handler
// is shown in the standard error box and the event loop goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    // The dialogs that show errors; null: the Qt dialogs.
    void SetDialogs(TDialogs* dialogs);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<TQtDialogs> ownDialogs_;
    TDialogs* dialogs_ = nullptr;
};

// Builds the main window. An error while it is built is shown in the
// standard error box through errors and gives null: the program ends.
std::unique_ptr<TFormKR7> BuildMainWindow(const TFormOptions& options, TDialogs& errors);
