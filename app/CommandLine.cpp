#include "app/CommandLine.h"

#include "common/FolderFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace pixmill {
namespace {

namespace fs = std::filesystem;

CommandLine WrongUsage(std::string what) {
    CommandLine line;
    line.action = CommandLine::Action::WrongUsage;
    line.error = std::move(what);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            if (!line.art.empty()) {
                return WrongUsage("more than one ART file: " + line.art + " and " + arg);
            }
            if (arg.empty()) {
                return WrongUsage("an empty file name");
            }
            line.art = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (arg == "--reset-settings") {
            line.resetSettings = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::string* file = name == "--palette" ? &line.palette
                            : name == "--names" ? &line.names
                                                : nullptr;
        if (file == nullptr) {
            return WrongUsage("unknown option " + arg);
        }
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        }
        if (!value || value->empty()) {
            return WrongUsage(name + " needs a file name");
        }
        if (!file->empty()) {
            return WrongUsage(name + " given twice");
        }
        *file = *value;
    }
    return line;
}

std::string UsageText() {
    return "Usage: pixmill [--palette FILE] [--names FILE.h] [--reset-settings] [FILE.ART | "
           "FOLDER]\n"
           "       pixmill --help | --version\n"
           "\n"
           "  --palette FILE    load a palette (Build *.DAT or Windows *.PAL) as\n"
           "                    File > Load Palette... does\n"
           "  --names FILE.h    read tile names from a names header\n"
           "  --reset-settings  start from the defaults: window places, scale, folders,\n"
           "                    recent files and the last palette are forgotten\n"
           "  FILE.ART          open a tileset as File > Open ART... does; without\n"
           "                    --palette, a PALETTE.DAT beside it (any case) is loaded,\n"
           "                    and without either the palette loaded last\n"
           "  FOLDER            open a game's TILES###.ART files in it as one set, as\n"
           "                    File > Open Tile Set... does; its PALETTE.DAT likewise\n"
           "  --help            print this text and exit\n"
           "  --version         print the version and exit\n";
}

std::string VersionText() {
    return std::string("pixmill ").append(PIXMILL_VERSION).append("\n");
}

std::string PaletteBeside(const std::string& artPath) {
    return FindFileIgnoringCase(fs::path(artPath).parent_path().string(), "PALETTE.DAT");
}

}  // namespace pixmill
