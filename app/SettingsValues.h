#pragma once
// What the stored settings may hold, checked as they are read: a value of the
// wrong kind or out of its range is dropped and its default used. No window
// code here.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pixmill {

inline constexpr std::size_t kRecentFileCount = 8;

// The scale a stored number names, if it is one of View > Scale's.
std::optional<int> StoredScale(long long stored);

// A stored yes or no: "true" or "false" as the settings write them, "1" or "0".
std::optional<bool> StoredSwitch(const std::string& stored);

// A stored path worth trying: not empty, no control characters, not
// absurdly long.
bool UsablePath(const std::string& path);

// The recent files as stored, cleaned: unusable paths and repeats dropped,
// at most kRecentFileCount kept, in their order.
std::vector<std::string> UsableRecentFiles(const std::vector<std::string>& stored);

// The list with path first, taken out of where it stood, cut to kRecentFileCount.
std::vector<std::string> WithRecentFile(const std::vector<std::string>& files,
                                        const std::string& path);

}  // namespace pixmill
