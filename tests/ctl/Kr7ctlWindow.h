#pragma once

// kr7ctl beside the window: kr7ctl run in this process, and the window shown
// offscreen and connected by the user's own input to a pseudo-terminal, so
// that what a click sends to the device can be set against kr7ctl's dry run.
#include "FakeSeams.h"
#include "Kr7ctlRunner.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QTest>

#include <memory>
#include <string>

class Kr7ctlWindowFixture : public Kr7ctlFixture {
protected:
    // Starts the window (with the service page when service), shows it, and
    // connects it as a user does: types the port's name and ticks the box.
    void OpenWindow(bool service) {
        ASSERT_TRUE(dir.isValid());
        form = MakeTestForm(dir.path(), service, dialogs, platform);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        TWindowControls ui(*form);
        UserInput::Type(ui.ComboBoxPort, QString::fromStdString(pty.Name()));
        UserInput::SetChecked(ui.CheckBoxConnect, true);
        ASSERT_TRUE(form->IsConnectChecked());
        const std::string textMode = "FF 00 01 01 00 00 00 00 00 02"; // sent on connecting
        ASSERT_EQ(TakeHex(textMode), textMode);
    }

    // What reached the device since the last take, as hex. The pseudo-terminal
    // passes bytes on in its own time, so this waits (a little while at most)
    // until as many bytes as the hex expected holds have come.
    std::string TakeHex(const std::string& expected = {}) {
        const std::size_t size = (expected.size() + 1) / 3;
        std::string bytes = pty.Take();
        for (int round = 0; round < 40 && bytes.size() < size; ++round)
            bytes += pty.Take();
        return ToHex(bytes);
    }

    // What the window sends for a click on control (see TakeHex for expected).
    std::string ClickHex(QWidget* control, const std::string& expected = {}) {
        UserInput::Click(control);
        return TakeHex(expected);
    }

    TFakeDialogs dialogs;
    TFakePlatform platform;
    std::unique_ptr<TFormKR7> form;
};
