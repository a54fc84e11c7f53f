#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace pixmill {
namespace {

namespace fs = std::filesystem;

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

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
    return "Usage: pixmill [--palette FILE] [--names FILE.h] [--reset-settings] [FILE.ART]\n"
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
           "  --help            print this text and exit\n"
           "  --version         print the version and exit\n";
}

std::string VersionText() {
    return std::string("pixmill ").append(PIXMILL_VERSION).append("\n");
}

std::string PaletteBeside(const std::string& artPath) {
    fs::path folder = fs::path(artPath).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    // Where a case-sensitive file system holds more than one spelling, the
    // usual one wins, then the first by name, so that every run takes the same.
    // A folder that cannot be read has none; nothing here may throw.
    std::optional<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (!EqualIgnoringCase(name, "PALETTE.DAT") || !entry.is_regular_file(typeError)) {
            continue;
        }
        if (name == "PALETTE.DAT") {
            return entry.path().string();
        }
        if (!found || entry.path().filename() < found->filename()) {
            found = entry.path();
        }
    }
    return found ? found->string() : std::string();
}

}  // namespace pixmill
