#include "app/SettingsValues.h"

#include <algorithm>

#include "app/ViewLayout.h"

namespace pixmill {

std::optional<int> StoredScale(long long stored) {
    for (const int scale : kScaleFactors) {
        if (stored == scale) {
            return scale;
        }
    }
    return std::nullopt;
}

std::optional<bool> StoredSwitch(const std::string& stored) {
    if (stored == "true" || stored == "1") {
        return true;
    }
    if (stored == "false" || stored == "0") {
        return false;
    }
    return std::nullopt;
}

bool UsablePath(const std::string& path) {
    // Longer than any path a file system takes.
    constexpr std::size_t kLongest = 4096;
    return !path.empty() && path.size() <= kLongest &&
           std::none_of(path.begin(), path.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::vector<std::string> UsableRecentFiles(const std::vector<std::string>& stored) {
    std::vector<std::string> files;
    for (const std::string& path : stored) {
        if (files.size() == kRecentFileCount) {
            break;
        }
        if (UsablePath(path) && std::find(files.begin(), files.end(), path) == files.end()) {
            files.push_back(path);
        }
    }
    return files;
}

std::vector<std::string> WithRecentFile(const std::vector<std::string>& files,
                                        const std::string& path) {
    std::vector<std::string> list{path};
    for (const std::string& each : files) {
        if (each != path && list.size() < kRecentFileCount) {
            list.push_back(each);
        }
    }
    return list;
}

}  // namespace pixmill
