// The application object and the standard error box for errors that no
// handler dealt with.
#include "shell/Application.h"

#include "shell/Kr7unit1.h"

#include <exception>

namespace {

QString ErrorText(const std::exception& error) {
    return QString::fromLocal8Bit(error.what());
}

QString UnknownError() {
    return QCoreApplication::translate("TApplication", "Unknown error.");
}

} // namespace

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), ownDialogs_(std::make_unique<TQtDialogs>()), dialogs_(ownDialogs_.get()) {}

TApplication::~TApplication() = default;

void TApplication::SetDialogs(TDialogs* dialogs) {
    dialogs_ = dialogs != nullptr ? dialogs : ownDialogs_.get();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        dialogs_->ShowError(activeWindow(), ErrorText(error));
    } catch (...) {
        dialogs_->ShowError(activeWindow(), UnknownError());
    }
    return false;
}

std::unique_ptr<TFormKR7> BuildMainWindow(const TFormOptions& options, TDialogs& errors) {
    try {
        return std::make_unique<TFormKR7>(options);
    } catch (const std::exception& error) {
        errors.ShowError(nullptr, ErrorText(error));
    } catch (...) {
        errors.ShowError(nullptr, UnknownError());
    }
    return nullptr;
}
