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

// Takes one global option or the ports and run words; false when word is none.
bool TakeGlobal(const std::string& word, TArgs& args, TPlan& plan) {
    TGlobalOptions& options = plan.options;
    if (word == "--help" || word == "-h")
        options.help = true;
    else if (word == "--version")
        options.version = true;
    else if (word == "--dry-run")
        options.dryRun = true;
    else if (word == "--port")
        options.port = Need(args, "port name after --port");
    else if (word == "--out")
        options.outFile = Need(args, "file name after --out");
    else if (word == "--settings")
        options.settings = Need(args, "file name after --settings");
    else if (word == "ports")
        plan.portsJson = args.Take("--json");
    else if (word == "run")
        plan.run = true;
    else
        return false;
    return true;
}

TPlan Parse(const std::vector<std::string>& words) {
    TPlan plan;
    TArgs args(words);
    while (!args.AtEnd()) {
        const std::string word = args.Next();
        if (TakeGlobal(word, args, plan))
            continue;
        if (IsOption(word))
            throw TUsageError{"unknown option \"" + word + "\""};
        plan.actions.push_back(ParseAction(word, args));
    }
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
