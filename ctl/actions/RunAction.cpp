#include "RunAction.h"

#include "CommandLine.h"
#include "ExitStatus.h"
#include "IniFile.h"
#include "SettingsFile.h"
#include "StopSignals.h"
#include "TextRun.h"
#include "TextSettings.h"

#include <csignal>

int RunText(const TPlan& plan, std::ostream& err) {
    const TGlobalOptions& options = plan.options;
    if (!plan.actions.empty() || plan.portsJson || options.dryRun || !options.outFile.empty())
        return Fail(err, {EXIT_USAGE, "run takes no other action, --dry-run or --out (see kr7ctl --help)"});
    if (std::optional<TFailure> failure = CheckSettings(options))
        return Fail(err, *failure);
    TTextSettings settings;
    settings.Load(TIniFile(FileName(SettingsPath(options))));
    TStopSignals stops;
    if (!stops.Ready())
        return Fail(err, {EXIT_USAGE, "cannot watch for stop signals"});
    std::ostream nowhere(nullptr);
    TTextRun run(settings, PortName(options), options.quiet ? nowhere : err);
    if (const std::string failure = run.Start(); !failure.empty())
        return Fail(err, {EXIT_PORT, failure});
    return stops.RunUntilStopped() == SIGINT ? EXIT_INTERRUPTED : EXIT_DONE;
}
