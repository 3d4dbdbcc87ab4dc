#include "kestrin/EtsCommandLine.h"

#include "kestrin/EtsEventChannel.h"

namespace {

TEtsCommandLine Refuse(std::string error)
{
    TEtsCommandLine line;
    line.Error = std::move(error);
    return line;
}

} // namespace

TEtsCommandLine ParseEtsCommandLine(std::span<const std::string> args)
{
    TEtsCommandLine line;
    bool haveProject = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            TEtsCommandLine help;
            help.Ok = help.Help = true;
            return help;
        }
        std::string option, value;
        if (arg.starts_with("--")) {
            const auto eq = arg.find('=');
            option = arg.substr(0, eq);
            if (option != "--ets-project" && option != "--event")
                return Refuse("unknown option " + option);
            if (eq != std::string::npos)
                value = arg.substr(eq + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                return Refuse(option + " needs a value");
        } else if (arg.starts_with("-") && arg.size() > 1) {
            return Refuse("unknown option " + arg);
        } else if (line.Module.empty() && !arg.empty()) {
            line.Module = arg;
            continue;
        } else {
            return Refuse("unexpected argument \"" + arg + "\"");
        }

        if (option == "--ets-project") {
            if (haveProject)
                return Refuse("--ets-project is given twice");
            if (value.empty())
                return Refuse("--ets-project needs a file name");
            line.EtsProject = value;
            haveProject = true;
        } else {
            std::string error;
            if (!TEtsEventChannel::Parse(value, error))
                return Refuse("--event \"" + value + "\": " + (error.empty() ? "no event" : error));
            line.Events.push_back(value);
        }
    }
    if (!haveProject)
        return Refuse("--ets-project FILE is missing");
    line.Ok = true;
    return line;
}

TEtsCommandLine ParseEtsCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return ParseEtsCommandLine(args);
}

std::string EtsCommandLineUsage(const std::string& program)
{
    return "Usage: " + program + " <module> --ets-project FILE [--event \"LINE\"]...\n"
           "  <module>             the plug-in's module name, e.g. 244_ID\n"
           "  --ets-project FILE   the ETS project store to work on\n"
           "  --event \"LINE\"       an ETS event handled before standard input (repeatable),\n"
           "                       e.g. --event \"EditParameters 1\"\n"
           "ETS events arrive on standard input, one a line; answers go to standard output.\n";
}
