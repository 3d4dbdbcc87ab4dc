#pragma once
// The program's command line as the ETS host stand-in starts it:
//   miraval <module> --ets-project FILE [--event "LINE"]...
// <module> is the plug-in's module name (e.g. 244_ID); it may be missing (the program then
// asks for it). --ets-project names the ETS project store and must be given once.
// --event queues an event line (the protocol of TEtsEventChannel) that is handled before
// standard input; it may be given any number of times and each line is checked here.
// Both options also take their value after '=' (--ets-project=FILE). -h or --help asks
// for the usage text and nothing else is checked.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

struct TEtsCommandLine {
    bool Ok = false;
    std::string Error;                   // when not Ok: what is wrong, naming the argument
    bool Help = false;
    std::string Module;
    std::filesystem::path EtsProject;
    std::vector<std::string> Events;     // in the order given
};

// args: the arguments after the program name.
TEtsCommandLine ParseEtsCommandLine(std::span<const std::string> args);
TEtsCommandLine ParseEtsCommandLine(int argc, const char* const* argv);
// The usage text (several lines, ending with a line feed).
std::string EtsCommandLineUsage(const std::string& program);
