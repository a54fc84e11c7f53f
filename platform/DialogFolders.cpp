#include "platform/DialogFolders.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace pixmill {
namespace {

std::string FolderOf(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) {
        full = path;
    }
    return full.parent_path().string();
}

}  // namespace

std::string DialogFolders::KindOf(const std::string& filter) {
    const std::size_t star = filter.find("*.");
    if (star == std::string::npos) {
        return {};
    }
    std::string kind;
    for (std::size_t i = star + 2; i < filter.size(); ++i) {
        const auto c = static_cast<unsigned char>(filter[i]);
        if (std::isalnum(c) == 0) {
            break;
        }
        kind += static_cast<char>(std::toupper(c));
    }
    return kind;
}

std::string DialogFolders::StartFolder(const std::string& filter) const {
    const auto found = byKind_.find(KindOf(filter));
    return found != byKind_.end() ? found->second : last_;
}

void DialogFolders::Remember(const std::string& filter, const std::string& path) {
    if (path.empty()) {
        return;
    }
    last_ = FolderOf(path);
    if (const std::string kind = KindOf(filter); !kind.empty()) {
        byKind_[kind] = last_;
    }
}

void DialogFolders::RememberFile(const std::string& path) {
    if (!path.empty()) {
        last_ = FolderOf(path);
    }
}

void DialogFolders::Set(std::map<std::string, std::string> byKind, std::string last) {
    byKind_ = std::move(byKind);
    last_ = std::move(last);
}

}  // namespace pixmill
