#pragma once
// CRC-32 (the polynomial of zlib, PNG and the source ports' checksums), fed in
// pieces.

#include <cstddef>
#include <cstdint>
#include <span>

namespace pixmill {

class Crc32 {
  public:
    void Add(std::span<const std::uint8_t> bytes);
    std::uint32_t value() const { return ~state_; }

  private:
    std::uint32_t state_ = 0xFFFFFFFFu;
};

std::uint32_t Crc32Of(std::span<const std::uint8_t> bytes);

}  // namespace pixmill
