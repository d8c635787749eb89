#include "Kr7ctl.h"

#include "COMSocket.h"
#include "Codepage.h"
#include "FileAccess.h"
#include "FrameRecorder.h"
#include "KR7.h"
#include "PlanParser.h"
#include "PortOpen.h"
#include "SettingsFile.h"
#include "StopSignals.h"
#include "TerminalProgress.h"
#include "Usage.h"
#include "actions/PortsAction.h"
#include "actions/RunAction.h"

#include <csignal>
#include <cstring>

namespace {

// Where the messages of a run go: reports on out (on err in a dry run, whose
// frames out holds), remarks and progress on err; neither when quiet.
struct TStreams {
    std::ostream& out;
    std::ostream& err;
    std::ostream nowhere{nullptr};

    std::ostream& Report(const TGlobalOptions& options) {
        if (options.quiet)
            return nowhere;
        return options.dryRun ? err : out;
    }
    std::ostream& Notes(const TGlobalOptions& options) { return options.quiet ? nowhere : err; }
};

TContext MakeContext(TPlan& plan, TKR7& device, TStreams& streams) {
    const TGlobalOptions& options = plan.options;
    return TContext{device, streams.Report(options), streams.Notes(options),
                    !options.quiet && ProgressShown(streams.err)};
}

// Reads every file the actions need; the first failure stops all of them.
std::optional<TFailure> PrepareActions(TPlan& plan) {
    for (TActionPtr& action : plan.actions)
        if (std::optional<TFailure> failure = action->Prepare())
            return failure;
    return CheckSettings(plan.options);
}

// A stop signal taken between two commands, as the end of the whole run:
// SIGTERM is an ordinary stop (0), SIGINT an interruption (130).
std::optional<TFailure> StopFailure(TStopSignals* stops) {
    const int signal = stops != nullptr ? stops->Stopped() : 0;
    if (signal == SIGTERM)
        return TFailure{EXIT_DONE, "stopped by SIGTERM between two commands"};
    if (signal == SIGINT)
        return TFailure{EXIT_INTERRUPTED, "interrupted by SIGINT between two commands"};
    return std::nullopt;
}

std::optional<TFailure> RunActions(TPlan& plan, TContext& context) {
    for (TActionPtr& action : plan.actions) {
        if (std::optional<TFailure> stop = StopFailure(context.stops))
            return stop;
        if (std::optional<TFailure> failure = action->Run(context))
            return failure;
    }
    return StopFailure(context.stops);
}

// A write to the port that did not pass, as the failure of the whole run.
std::optional<TFailure> WriteFailure(const TWriteResult& result, const std::string& name) {
    if (result.error == TWriteError::DeviceGone)
        return TFailure{EXIT_PORT, "port " + name + " went away while sending; the display got only part of it"};
    if (result.error == TWriteError::Failed)
        return TFailure{EXIT_PORT, "writing to port " + name + " failed: " + std::strerror(result.errorNumber)};
    return std::nullopt;
}

bool AnySends(const TPlan& plan) {
    for (const TActionPtr& action : plan.actions)
        if (action->Sends())
            return true;
    return false;
}

// The frames recorded instead of sent: as hex on out, raw into --out, or
// dropped when no action sends anything.
int Record(TPlan& plan, TStreams& streams) {
    TFrameRecorder recorder;
    TKR7 device([&recorder](const void* data, std::size_t size) { recorder.Write(data, size); });
    TContext context = MakeContext(plan, device, streams);
    if (std::optional<TFailure> failure = RunActions(plan, context))
        return Fail(streams.err, *failure);
    if (plan.options.dryRun) {
        streams.out << recorder.Hex();
        return EXIT_DONE;
    }
    const std::string& name = plan.options.outFile;
    if (name.empty())
        return EXIT_DONE;
    if (const std::string problem = WriteWholeFile(name, recorder.Bytes()); !problem.empty())
        return Fail(streams.err, {EXIT_FILE, "cannot write " + name + ": " + problem});
    return EXIT_DONE;
}

// The frames sent to the port, returning once the line has carried them. A
// stop signal ends the work between two commands.
int Send(TPlan& plan, TStreams& streams) {
    TStopSignals stops;
    TCOMSocket port;
    const std::string name = PortName(plan.options);
    if (const std::string failure = OpenDisplayPort(port, name); !failure.empty())
        return Fail(streams.err, {EXIT_PORT, failure});
    TKR7 device(port);
    TContext context = MakeContext(plan, device, streams);
    if (stops.Ready())
        context.stops = &stops;
    context.pause = [&port, &stops](int seconds) {
        port.WaitUntilCarried();
        stops.WaitFor(seconds * 1000);
    };
    std::optional<TFailure> failure = RunActions(plan, context);
    const bool stopped = failure && (failure->status == EXIT_DONE || failure->status == EXIT_INTERRUPTED);
    if (!failure || stopped)
        if (std::optional<TFailure> written = WriteFailure(port.LastWriteFailure(), name))
            failure = written;
    if (!failure || failure->status != EXIT_PORT)
        port.WaitUntilCarried(); // as the window waits before it reports a sequence finished
    port.Close();
    return failure ? Fail(streams.err, *failure) : EXIT_DONE;
}

int Execute(TPlan& plan, TStreams& streams) {
    if (plan.run)
        return RunText(plan, streams.err);
    if (plan.portsJson)
        streams.out << PortsListing(*plan.portsJson);
    if (plan.actions.empty())
        return EXIT_DONE;
    if (plan.options.dryRun || !plan.options.outFile.empty() || !AnySends(plan))
        return Record(plan, streams);
    return Send(plan, streams);
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
    TStreams streams{out, err};
    return Execute(plan, streams);
}
