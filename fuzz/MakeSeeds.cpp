// Writes the first inputs of each fuzzer: the examples, and small files made
// here and by the core's writers, one folder per fuzzer.
// Usage: pixmill-fuzz-seeds OUT_DIR EXAMPLES_DIR

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bitmap/TileBitmap.h"
#include "bitmap/TilePng.h"
#include "common/ByteIo.h"
#include "editing/TileClip.h"
#include "palette/LookupFile.h"
#include "palette/PaletteFile.h"
#include "palette/ShadeTables.h"
#include "recovery/RecoveryNote.h"
#include "tileset/ArtFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

void Write(const fs::path& dir, const std::string& name, const Bytes& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Tiles of the given sizes, numbered from 0, each pixel a different value.
Bytes SmallArt(const std::vector<std::pair<int, int>>& sizes) {
    const auto n = static_cast<std::int32_t>(sizes.size());
    Bytes b(16 + 8 * sizes.size(), 0);
    pixmill::PutI32(b.data(), 1);
    pixmill::PutI32(b.data() + 4, n);
    pixmill::PutI32(b.data() + 12, n - 1);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        pixmill::PutI16(b.data() + 16 + 2 * i, static_cast<std::int16_t>(sizes[i].first));
        pixmill::PutI16(b.data() + 16 + 2 * sizes.size() + 2 * i,
                        static_cast<std::int16_t>(sizes[i].second));
        b[16 + 4 * sizes.size() + 4 * i] = static_cast<std::uint8_t>(i + 1);
        for (int p = 0; p < sizes[i].first * sizes[i].second; ++p) {
            b.push_back(static_cast<std::uint8_t>(p * 7 + 3));
        }
    }
    return b;
}

// A bitmap of bits 1, 4, 16, 24 or 32 a pixel, laid out as paint programs
// write them; 16 and 32 bits with colour masks after the header.
Bytes DeepBitmap(int width, int height, int bits) {
    const bool masks = bits == 16 || bits == 32;
    const int colours = bits <= 8 ? 1 << bits : 0;
    const std::size_t stride = (static_cast<std::size_t>(width * bits) + 31) / 32 * 4;
    const std::size_t rows = 54 + (masks ? 12 : 0) + 4 * static_cast<std::size_t>(colours);
    Bytes b(rows + stride * static_cast<std::size_t>(height), 0);
    b[0] = 'B';
    b[1] = 'M';
    pixmill::PutI32(b.data() + 10, static_cast<std::int32_t>(rows));
    pixmill::PutI32(b.data() + 14, 40);
    pixmill::PutI32(b.data() + 18, width);
    pixmill::PutI32(b.data() + 22, height);
    pixmill::PutI16(b.data() + 26, 1);
    pixmill::PutI16(b.data() + 28, static_cast<std::int16_t>(bits));
    pixmill::PutI32(b.data() + 30, masks ? 3 : 0);
    if (masks) {
        const std::int32_t red = bits == 16 ? 0xF800 : 0xFF0000;
        const std::int32_t green = bits == 16 ? 0x07E0 : 0xFF00;
        const std::int32_t blue = bits == 16 ? 0x001F : 0xFF;
        pixmill::PutI32(b.data() + 54, red);
        pixmill::PutI32(b.data() + 58, green);
        pixmill::PutI32(b.data() + 62, blue);
    }
    for (int i = 0; i < colours; ++i) {
        b[54 + 4 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 40);
    }
    for (std::size_t i = rows; i < b.size(); ++i) {
        b[i] = static_cast<std::uint8_t>(i * 29);
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pixmill-fuzz-seeds OUT_DIR EXAMPLES_DIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path examples = argv[2];

    const Bytes art = ReadAll(examples / "TILES000.ART");
    const Bytes small = SmallArt({{2, 3}, {0, 0}, {5, 3}, {1, 1}});
    for (const char* fuzzer : {"art_read", "art_roundtrip"}) {
        Write(out / fuzzer, "examples.art", art);
        Write(out / fuzzer, "small.art", small);
        Write(out / fuzzer, "empty.art", SmallArt({}));
    }

    const Bytes dat = ReadAll(examples / "PIXMILL.DAT");
    Write(out / "build_palette", "examples.dat", dat);
    Bytes withTables = dat;
    withTables.resize(dat.size() + 64, 17);
    Write(out / "build_palette", "tables.dat", withTables);
    const auto palette = pixmill::ReadPalette(dat, pixmill::PaletteFormat::Build);
    if (!palette) {
        std::fprintf(stderr, "pixmill-fuzz-seeds: %s\n", palette.reason().c_str());
        return 1;
    }
    Write(out / "riff_palette", "examples.pal",
          pixmill::PaletteBytes(*palette, pixmill::PaletteFormat::Riff));

    const auto tiles = pixmill::ReadArt(small);
    if (!tiles) {
        std::fprintf(stderr, "pixmill-fuzz-seeds: %s\n", tiles.reason().c_str());
        return 1;
    }
    for (std::size_t i = 0; i < tiles->tiles.size(); ++i) {
        Bytes bmp = pixmill::TileBitmapBytes(tiles->tiles[i], *palette);
        Write(out / "bitmap_import", "tile" + std::to_string(i) + ".bmp", bmp);
        // The same picture stored top row first.
        pixmill::PutI32(bmp.data() + 22, -pixmill::GetI32(bmp.data() + 22));
        Write(out / "bitmap_import", "topdown" + std::to_string(i) + ".bmp", bmp);
        if (tiles->tiles[i].PixelCount() > 0) {
            const auto png = pixmill::TilePngBytes(tiles->tiles[i], *palette);
            if (png) {
                Write(out / "png_import", "tile" + std::to_string(i) + ".png", *png);
            }
        }
    }

    // Pictures of every kind: the bitmaps and PNGs above, and other depths.
    for (const auto& entry : fs::directory_iterator(out / "bitmap_import")) {
        Write(out / "picture_read", entry.path().filename().string(), ReadAll(entry.path()));
    }
    for (const auto& entry : fs::directory_iterator(out / "png_import")) {
        Write(out / "picture_read", entry.path().filename().string(), ReadAll(entry.path()));
    }
    for (const int bits : {1, 4, 16, 24, 32}) {
        Write(out / "picture_read", "deep" + std::to_string(bits) + ".bmp", DeepBitmap(5, 3, bits));
    }
    for (std::size_t i = 0; i < tiles->tiles.size(); ++i) {
        Write(out / "tile_clip", "tile" + std::to_string(i),
              pixmill::TileClipBytes(tiles->tiles[i]));
    }

    Write(out / "names_header", "names.h",
          Text("// tiles\r\n#define FIRSTTILE 0\r\n#DEFINE WALL_2 2\r\n#define LAST 32767\r\n"
               "#define BROKEN\r\n"));
    Write(out / "names_header", "lf.h", Text("#define A 1\n#define B 2\r\n"));

    pixmill::RecoveryNote note;
    note.artPath = "/games/duke3d/TILES000.ART";
    note.palettePath = "/games/duke3d/PALETTE.DAT";
    note.copyName = "s100-1700000000000-0-3.ART";
    note.copyBytes = 436347;
    note.copyCrc = 0x12345678;
    Write(out / "recovery_note", "note", Text(pixmill::RecoveryNoteText(note)));
    // A set: three files' numbers, how much longer each claims to be, and its
    // first bytes (one of them a "BUILDART" file).
    Bytes set{3};
    const auto addFile = [&set](int number, const Bytes& bytes) {
        Bytes file = {static_cast<std::uint8_t>(number), 0, 0, 0, 0, 0};
        const std::size_t kept = std::min<std::size_t>(bytes.size(), 40);
        pixmill::PutI32(file.data() + 2, static_cast<std::int32_t>(bytes.size() - kept));
        file.insert(file.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kept));
        file.resize(46, 0);
        set.insert(set.end(), file.begin(), file.end());
    };
    addFile(0, small);
    Bytes prefixed = {'B', 'U', 'I', 'L', 'D', 'A', 'R', 'T'};
    prefixed.insert(prefixed.end(), small.begin(), small.end());
    pixmill::PutI32(prefixed.data() + 16, 4);
    pixmill::PutI32(prefixed.data() + 20, 7);
    addFile(1, prefixed);
    addFile(3, art);
    Write(out / "art_set", "set", set);

    pixmill::LookupTables lookup;
    pixmill::PaletteSwap swap;
    for (std::size_t i = 0; i < 256; ++i) {
        swap.map[i] = static_cast<std::uint8_t>(255 - i);
    }
    swap.number = 21;
    lookup.swaps.push_back(swap);
    Write(out / "lookup", "swaps.dat", pixmill::LookupBytes(lookup));
    lookup.alternatives.push_back(*palette);
    lookup.alternatives.push_back(*palette);
    Write(out / "lookup", "palettes.dat", pixmill::LookupBytes(lookup));

    pixmill::ShadeTables shades;
    shades.shades.assign(2, swap.map);
    shades.translucency.assign(pixmill::kTranslucencySize, 3);
    shades.extra = {1, 2, 3};
    Write(out / "shade_tables", "tables", pixmill::ShadeTablesBytes(shades));

    int n = 0;
    for (const char* number : {"12", " - 3.5E2x", "&H1F", "&o17", "1D3", "2.5", "-0.5", ".e"}) {
        Write(out / "numbers", "n" + std::to_string(n++), Text(number));
    }
    return 0;
}
