#pragma once
// The editor's command line, read before any window exists so that --help and
// --version work without a display. No window code here.

#include <string>
#include <vector>

namespace pixmill {

struct CommandLine {
    enum class Action { Start, Help, Version, WrongUsage };
    Action action = Action::Start;
    // Files to load at start; empty when not given.
    std::string palette;
    std::string names;
    std::string art;
    // For WrongUsage: what was wrong, one line.
    std::string error;
    // --reset-settings: start from the defaults, forgetting what was kept.
    bool resetSettings = false;
};

// args: the arguments after the program's name. Options may come in any
// order, as "--palette FILE" or "--palette=FILE"; "--" ends the options.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help and of wrong usage; and of --version.
std::string UsageText();
std::string VersionText();

// The palette a game keeps beside its ART files: a file named PALETTE.DAT,
// in any case, in the ART file's folder. Empty when there is none.
std::string PaletteBeside(const std::string& artPath);

}  // namespace pixmill
