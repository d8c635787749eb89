// A scripted run, not a test: the real window uploads the whole glyph set
// ("Send" on the Service page) through the port on the real clock into the
// emulator's pseudo-terminal, read at 2400 baud on a thread of its own. It
// reports the wall time of the upload, when the progress bar reached its end
// against when the last byte arrived, and the largest gap between two paint
// events of the window meanwhile.
//
//   build/bin/GlyphUploadRun
#include "EmulatedDisplay.h"
#include "FakeSeams.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr double WIRE_SECONDS = 16384.0 * 10.0 / 2400.0;

// The emulator's side: when the last byte so far arrived.
struct TDisplaySide {
    std::atomic<std::uint64_t> bytes{0};
    std::atomic<TClock::rep> lastByteAt{0};

    TEmulatedDisplay::THooks Hooks() {
        TEmulatedDisplay::THooks hooks;
        hooks.bytes = [this](std::string_view data) {
            bytes += data.size();
            lastByteAt = TClock::now().time_since_epoch().count();
        };
        return hooks;
    }
};

// Paint events of the window's widgets, and the largest gap between two.
class TPaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            const auto now = TClock::now();
            if (counting && last != TClock::time_point{})
                largest = std::max(largest, now - last);
            last = now;
            ++paints;
        }
        return false;
    }
    bool counting = false;
    TClock::time_point last{};
    TClock::duration largest{};
    long paints = 0;
};

double Seconds(TClock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TDisplaySide display;
    TEmulatedDisplay emulator(dir.filePath("ports"), dir.filePath("state.bin"), display.Hooks());

    TFakeDialogs dialogs;
    TFormOptions options;
    options.settingsDir = dir.path();
    options.service = true;
    options.dialogs = &dialogs;
    TFormKR7 form(options);
    form.show();
    const TWindowControls ui(form);
    ui.PageControl->setCurrentWidget(ui.TabSheetService);
    ui.ComboBoxPort->setEditText(QStringLiteral("COM1"));
    ui.CheckBoxConnect->setChecked(true);
    if (!form.IsConnectChecked())
        return 1;
    std::this_thread::sleep_for(1s); // the mode frame reaches the display

    TClock::time_point progressEnd{};
    QObject::connect(ui.ProgressBarSendCharsToDevice, &QProgressBar::valueChanged, [&](int value) {
        if (value == 256)
            progressEnd = TClock::now();
    });
    TPaintWatch watch;
    app.installEventFilter(&watch);
    dialogs.okCancelAnswers.push_back(true);
    const std::uint64_t before = display.bytes;
    const auto start = TClock::now();
    watch.counting = true;
    ui.ButtonSendCharsToDevice->click();
    const auto end = TClock::now();
    watch.counting = false;
    std::this_thread::sleep_for(6s); // the last bytes reach the display
    const TClock::time_point lastByte{TClock::duration(display.lastByteAt.load())};
    emulator.Stop();

    const double wall = Seconds(end - start);
    const double early = Seconds(lastByte - progressEnd);
    std::printf("upload: %llu bytes received, wall %.2f s (wire %.2f s, %+.2f %%)\n",
                static_cast<unsigned long long>(display.bytes - before), wall, WIRE_SECONDS,
                100.0 * (wall - WIRE_SECONDS) / WIRE_SECONDS);
    std::printf("progress at its end %.2f s before the last byte arrived\n", early);
    std::printf("paint events %ld, largest gap %.0f ms\n", watch.paints, 1000.0 * Seconds(watch.largest));
    const bool ok = early <= 4.5 && std::abs(wall - WIRE_SECONDS) <= WIRE_SECONDS / 100 && watch.largest <= 250ms;
    return ok ? 0 : 1;
}
