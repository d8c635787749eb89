#include "PlanParser.h"

#include "CommandLine.h"
#include "actions/Actions.h"

#include <utility>

namespace {

using TActionParser = TActionPtr (*)(TArgs&);

struct TActionWord {
    const char* word;
    TActionParser parse;
};

const TActionWord ACTIONS[] = {
    {"clear", ParseClear},        {"store", ParseStore},    {"mode", ParseMode},   {"cross", ParseCross},
    {"celownik", ParseCrossMode}, {"tekst", ParseTextMode}, {"text", ParseText},   {"codes", ParseCodes},
    {"pages", ParsePages},        {"glyphs", ParseGlyphs},  {"glyph", ParseGlyph}, {"logo", ParseLogo},
};

TActionPtr ParseAction(const std::string& word, TArgs& args) {
    for (const TActionWord& action : ACTIONS)
        if (word == action.word)
            return action.parse(args);
    throw TUsageError{"unknown action \"" + word + "\""};
}

// Takes one global option; false when the next word is none.
bool TakeGlobal(TArgs& args, TGlobalOptions& options) {
    if (args.Take("--help") || args.Take("-h"))
        options.help = true;
    else if (args.Take("--version") || args.Take("-V"))
        options.version = true;
    else if (args.Take("--dry-run"))
        options.dryRun = true;
    else if (args.Take("--quiet") || args.Take("-q"))
        options.quiet = true;
    else if (args.TakeOption("--port"))
        options.port = Need(args, "port name after --port");
    else if (args.TakeOption("--out"))
        options.outFile = Need(args, "file name after --out");
    else if (args.TakeOption("--settings"))
        options.settings = Need(args, "file name after --settings");
    else
        return args.TakeEndOfOptions();
    return true;
}

TPlan Parse(const std::vector<std::string>& words) {
    TPlan plan;
    TArgs args(words);
    while (!args.AtEnd()) {
        if (TakeGlobal(args, plan.options))
            continue;
        const std::string word = args.Next();
        if (word == "ports")
            plan.portsJson = args.Take("--json");
        else if (word == "run")
            plan.run = true;
        else if (IsOption(word) && !args.OptionsEnded())
            throw TUsageError{"unknown option \"" + word + "\""};
        else
            plan.actions.push_back(ParseAction(word, args));
    }
    if (plan.options.dryRun && !plan.options.outFile.empty())
        throw TUsageError{"--dry-run prints the frames and --out writes them to a file: give one of them"};
    return plan;
}

} // namespace

TParsedPlan ParsePlan(const std::vector<std::string>& words) {
    try {
        return {Parse(words), {}};
    } catch (const TUsageError& error) {
        return {TPlan{}, error.message};
    }
}
