#pragma once
// Input files for the pixmill-tool tests, laid out byte by byte here rather than
// by the core, so the tool's output is checked against an independent reading.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/TestSupport.h"
#include "tests/tools/ToolRunner.h"
#include "tileset/Tile.h"

namespace pixmill::test {

// Header with the given tile-count field, tables and pixels of tiles (the tile
// numbers first..first + tiles - 1).
Bytes ArtFileBytes(const std::vector<Tile>& tiles, std::int32_t countField = 0,
                   std::int32_t first = 0);

// 768 bytes of 6-bit colour, every entry different, then extra bytes (shade tables).
Bytes BuildPaletteBytes(std::size_t extra = 0);

// A 54-byte bitmap header for width x height with the given depth and compression.
Bytes BitmapHeader(int width, int height, int bitsPerPixel, int compression);

// The tool refused: exit 1, nothing on standard output, one line on standard
// error naming the tool, and the output folder exactly as before.
void ExpectRefused(const ToolRun& run, const std::filesystem::path& outDir,
                   const std::vector<std::string>& before = {});

}  // namespace pixmill::test
