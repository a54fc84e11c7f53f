#include "common/FolderFiles.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace pixmill {

namespace fs = std::filesystem;

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
    std::optional<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(where, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const fs::directory_entry& entry = *it;
        const std::string entryName = entry.path().filename().string();
        std::error_code typeError;
        if (!EqualIgnoringCase(entryName, name) || !entry.is_regular_file(typeError)) {
            continue;
        }
        if (entryName == name) {
            return entry.path().string();
        }
        if (!found || entry.path().filename() < found->filename()) {
            found = entry.path();
        }
    }
    return found ? found->string() : std::string();
}

}  // namespace pixmill
