#pragma once
// Tile names by the game's tile number, as a names header gives them.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pixmill {

class TileNames {
  public:
    // Entry numbers are 16-bit signed, so the table never passes 32767.
    static constexpr int kLastEntry = 32767;

    // One empty entry, number 0, as at start-up.
    TileNames() : entries_(1) {}

    int size() const { return static_cast<int>(entries_.size()); }
    // The name of a tile number; empty for no name, including any number
    // outside the table.
    const std::string& NameOf(std::int64_t number) const;
    // Grows the table with empty entries so that its last entry is number.
    void ExtendTo(int number);
    // number must lie within the table.
    void Set(int number, std::string name);
    // Every entry, by number from 0; empty ones have no name.
    std::span<const std::string> entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
};

}  // namespace pixmill
