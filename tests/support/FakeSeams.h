#pragma once

// Scripted stand-ins for the window's dialogs and clock.
#include "FakeLineClock.h"
#include "ScopedEnv.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "shell/Kr7unit1.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

// Each dialog takes the next scripted answer of its kind; with none left it
// answers as a user who cancels (AskOkCancel: the default answer). Every call
// is recorded.
class TFakeDialogs : public TDialogs {
public:
    struct TFileCall {
        TFileDialog dialog;
        QString fileName;
        QString filter;
        QString defaultExt;
    };

    bool AskOkCancel(QWidget*, const QString& title, const QString& question) override {
        questions.push_back(title + QStringLiteral(": ") + question);
        return Next(okCancelAnswers, defaultOkCancel);
    }
    QString OpenFile(QWidget*, TFileDialog dialog, const QString& fileName, const QString& filter) override {
        openCalls.push_back({dialog, fileName, filter, QString()});
        if (whileOpen)
            whileOpen();
        return Next(openAnswers, QString());
    }
    QString SaveFile(QWidget*, TFileDialog dialog, const QString& fileName, const QString& filter,
                     const QString& defaultExt) override {
        saveCalls.push_back({dialog, fileName, filter, defaultExt});
        if (whileOpen)
            whileOpen();
        return Next(saveAnswers, QString());
    }
    QStringList Recent(TFileDialog dialog) const override {
        const auto found = recent.find(dialog);
        return found == recent.end() ? QStringList() : found->second;
    }
    void Reused(TFileDialog, const QString& file) override { reused.push_back(file); }
    std::optional<QString> InputText(QWidget*, const QString& caption, const QString& prompt, const QString& text,
                                     int maxLength) override {
        inputCalls.push_back(caption + QStringLiteral(": ") + prompt + QStringLiteral(" [") + text +
                             QStringLiteral("] ") + QString::number(maxLength));
        return Next(inputAnswers, std::optional<QString>());
    }
    std::optional<QColor> PickColour(QWidget*, const QColor& initial) override {
        colourCalls.push_back(initial);
        return Next(colourAnswers, std::optional<QColor>());
    }
    void Message(QWidget*, const QString& text) override { messages.push_back(text); }
    void ShowError(QWidget*, const QString& text) override { errors.push_back(text); }

    // Scripted answers, taken from the front.
    std::deque<bool> okCancelAnswers;
    bool defaultOkCancel = false;
    std::deque<QString> openAnswers; // empty string: cancelled
    std::deque<QString> saveAnswers; // empty string: cancelled
    std::deque<std::optional<QString>> inputAnswers;
    std::map<TFileDialog, QStringList> recent; // offered beside each file dialog
    std::deque<std::optional<QColor>> colourAnswers;
    // What the window asked or showed.
    QStringList questions;
    std::deque<TFileCall> openCalls;
    std::deque<TFileCall> saveCalls;
    QStringList reused; // recent files used again
    QStringList inputCalls;
    std::deque<QColor> colourCalls;
    QStringList messages;
    QStringList errors;
    // Called while a file dialog is "open", to look at the window meanwhile.
    std::function<void()> whileOpen;

private:
    template <typename T, typename U> static T Next(std::deque<T>& queue, U fallback) {
        if (queue.empty())
            return T(fallback);
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

// A clock that stands still and a pause that only counts; the serial line's
// clock moves only when the port waits for the line.
class TFakePlatform : public TPlatform {
public:
    void Sleep(int milliseconds) override {
        slept += milliseconds;
        if (whileSleeping)
            whileSleeping();
    }
    QDateTime Now() override { return now; }

    TFakeLineClock line;
    int slept = 0;
    // Called during each pause, to make it fail for instance.
    std::function<void()> whileSleeping;
    QDateTime now{QDate(2024, 3, 5), QTime(14, 7, 9)};
};

// A window under test: settings in folder, the fakes as its dialogs and clock.
inline std::unique_ptr<TFormKR7> MakeTestForm(const QString& folder, bool service, TFakeDialogs& dialogs,
                                              TFakePlatform& platform) {
    TFormOptions options;
    options.settingsDir = folder;
    options.service = service;
    options.dialogs = &dialogs;
    options.platform = &platform;
    options.line = &platform.line;
    return std::make_unique<TFormKR7>(options);
}
