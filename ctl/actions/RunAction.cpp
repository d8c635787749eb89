#include "RunAction.h"

#include "CommandLine.h"
#include "ExitStatus.h"
#include "IniFile.h"
#include "SettingsFile.h"
#include "StopSignals.h"
#include "TextRun.h"
#include "TextSettings.h"

#include <QFile>

#include <csignal>

int RunText(const TPlan& plan, std::ostream& err) {
    const TGlobalOptions& options = plan.options;
    if (!plan.actions.empty() || plan.portsJson || options.dryRun || !options.outFile.empty())
        return Fail(err, {EXIT_USAGE, "run takes no other action, --dry-run or --out (see kr7ctl --help)"});
    const std::string path = SettingsPath(options);
    if (!options.settings.empty() && !QFile::exists(FileName(path)))
        return Fail(err, {EXIT_FILE, "cannot read settings " + path + ": no such file"});
    TTextSettings settings;
    settings.Load(TIniFile(FileName(path)));
    TStopSignals stops;
    if (!stops.Ready())
        return Fail(err, {EXIT_USAGE, "cannot watch for stop signals"});
    TTextRun run(settings, PortName(options), err);
    if (const std::string failure = run.Start(); !failure.empty())
        return Fail(err, {EXIT_PORT, failure});
    return stops.RunUntilStopped() == SIGINT ? EXIT_INTERRUPTED : EXIT_DONE;
}
