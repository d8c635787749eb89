#include "Kr7ctl.h"

#include "COMSocket.h"
#include "Codepage.h"
#include "FrameRecorder.h"
#include "KR7.h"
#include "PlanParser.h"
#include "PortOpen.h"
#include "SettingsFile.h"
#include "Usage.h"
#include "actions/PortsAction.h"
#include "actions/RunAction.h"

#include <cstring>
#include <fstream>

namespace {

// Reads every file the actions need; the first failure stops all of them.
std::optional<TFailure> PrepareActions(TPlan& plan) {
    for (TActionPtr& action : plan.actions)
        if (std::optional<TFailure> failure = action->Prepare())
            return failure;
    return std::nullopt;
}

std::optional<TFailure> RunActions(TPlan& plan, TKR7& device, std::ostream& out, std::ostream& err) {
    TContext context{device, out, err};
    for (TActionPtr& action : plan.actions)
        if (std::optional<TFailure> failure = action->Run(context))
            return failure;
    return std::nullopt;
}

// A write to the port that did not pass, as the failure of the whole run.
std::optional<TFailure> WriteFailure(const TWriteResult& result, const std::string& name) {
    if (result.error == TWriteError::DeviceGone)
        return TFailure{EXIT_PORT, "port " + name + " went away while sending; the display got only part of it"};
    if (result.error == TWriteError::Failed)
        return TFailure{EXIT_PORT, "writing to port " + name + " failed: " + std::strerror(result.errorNumber)};
    return std::nullopt;
}

// The frames recorded instead of sent: as hex on out, or raw into --out.
int Record(TPlan& plan, std::ostream& out, std::ostream& err) {
    TFrameRecorder recorder;
    TKR7 device([&recorder](const void* data, std::size_t size) { recorder.Write(data, size); });
    if (std::optional<TFailure> failure = RunActions(plan, device, out, err))
        return Fail(err, *failure);
    if (plan.options.dryRun) {
        out << recorder.Hex();
        return EXIT_DONE;
    }
    std::ofstream file(plan.options.outFile, std::ios::binary | std::ios::trunc);
    const std::string bytes = recorder.Bytes();
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        return Fail(err, {EXIT_FILE, "cannot write " + plan.options.outFile});
    return EXIT_DONE;
}

// The frames sent to the port, returning once the line has carried them.
int Send(TPlan& plan, std::ostream& out, std::ostream& err) {
    TCOMSocket port;
    const std::string name = PortName(plan.options);
    if (const std::string failure = OpenDisplayPort(port, name); !failure.empty())
        return Fail(err, {EXIT_PORT, failure});
    TKR7 device(port);
    std::optional<TFailure> failure = RunActions(plan, device, out, err);
    if (!failure)
        failure = WriteFailure(port.LastWriteFailure(), name);
    if (!failure)
        port.WaitUntilCarried(); // as the window waits before it reports a sequence finished
    port.Close();
    return failure ? Fail(err, *failure) : EXIT_DONE;
}

int Execute(TPlan& plan, std::ostream& out, std::ostream& err) {
    if (plan.run)
        return RunText(plan, err);
    if (plan.portsJson)
        out << PortsListing(*plan.portsJson);
    if (plan.actions.empty())
        return EXIT_DONE;
    if (plan.options.dryRun || !plan.options.outFile.empty())
        return Record(plan, out, err);
    return Send(plan, out, err);
}

} // namespace

int Kr7ctlMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!CodepageAvailable())
        return Fail(err, {EXIT_USAGE, "the Windows-1250 codec is missing"});
    TParsedPlan parsed = ParsePlan(args);
    if (!parsed.usageError.empty()) {
        err << "kr7ctl: " << parsed.usageError << " (see kr7ctl --help)\n";
        return EXIT_USAGE;
    }
    TPlan& plan = parsed.plan;
    if (plan.options.help) {
        out << USAGE;
        return EXIT_DONE;
    }
    if (plan.options.version) {
        out << "kr7ctl " << KR7_VERSION << "\n";
        return EXIT_DONE;
    }
    if (std::optional<TFailure> failure = PrepareActions(plan))
        return Fail(err, *failure);
    if (plan.actions.empty() && !plan.portsJson && !plan.run) {
        err << "kr7ctl: no action given (see kr7ctl --help)\n";
        return EXIT_USAGE;
    }
    return Execute(plan, out, err);
}
