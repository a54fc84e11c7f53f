#include "names/TileNames.h"

namespace pixmill {

const std::string& TileNames::NameOf(std::int64_t number) const {
    static const std::string kNoName;
    if (number < 0 || number >= size()) {
        return kNoName;
    }
    return entries_[static_cast<std::size_t>(number)];
}

void TileNames::ExtendTo(int number) {
    if (number >= size() && number <= kLastEntry) {
        entries_.resize(static_cast<std::size_t>(number) + 1);
    }
}

void TileNames::Set(int number, std::string name) {
    entries_.at(static_cast<std::size_t>(number)) = std::move(name);
}

}  // namespace pixmill
