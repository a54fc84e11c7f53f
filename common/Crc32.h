#pragma once
// CRC-32 as zip and PNG compute it (reflected polynomial 0xEDB88320, all bits
// set before and inverted after): what source ports compare a tile's pixels
// against in a definition file's "ifcrc".

#include <cstdint>
#include <span>

namespace pixmill {

// crc: the value of the bytes before these, so that a run can be continued.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace pixmill
