// Recovery copies: their notes read back exactly, a copy is offered only once
// its editor has gone, a damaged one is refused with its reason, and the
// writer's thread writes the tileset as it was handed over.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/Crc32.h"
#include "recovery/RecoveryNote.h"
#include "recovery/RecoveryStore.h"
#include "recovery/RecoveryWriter.h"
#include "tests/TestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::ListDir;
using test::PatternTile;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

Tileset SomeTiles() {
    Tileset set;
    set.firstTileNumber = 256;
    set.lastTileNumber = 258;
    set.tiles = {PatternTile(3, 2, 1), PatternTile(0, 0), PatternTile(5, 4, 3)};
    return set;
}

TEST(Crc32, MatchesTheCheckValueInAnyPieces) {
    const std::string check = "123456789";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(check.data()),
                                              check.size());
    EXPECT_EQ(Crc32Of(bytes), 0xCBF43926u);
    EXPECT_EQ(Crc32Of({}), 0u);
    Bytes longer(1000);
    for (std::size_t i = 0; i < longer.size(); ++i) {
        longer[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const std::uint32_t whole = Crc32Of(longer);
    for (std::size_t split : {1u, 7u, 8u, 9u, 500u, 999u}) {
        Crc32 crc;
        crc.Add(std::span(longer).first(split));
        crc.Add(std::span(longer).subspan(split));
        EXPECT_EQ(crc.value(), whole) << split;
    }
}

TEST(RecoveryNote, ReadsBackAnyPathAndRefusesWhatItDidNotWrite) {
    RecoveryNote note;
    note.artPath = "/home/me/line\nbreak é/TILES 000.ART";
    note.palettePath = "";
    note.copyName = "s1-2-3-4.ART";
    note.copyBytes = 123456789012ULL;
    note.copyCrc = 0x0badf00d;
    const std::string text = RecoveryNoteText(note);
    auto read = ReadRecoveryNote(text);
    ASSERT_TRUE(read) << read.reason();
    EXPECT_EQ(read->artPath, note.artPath);
    EXPECT_EQ(read->palettePath, "");
    EXPECT_EQ(read->copyName, note.copyName);
    EXPECT_EQ(read->copyBytes, note.copyBytes);
    EXPECT_EQ(read->copyCrc, note.copyCrc);

    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const std::string pathField = "path " + std::to_string(note.artPath.size()) + " ";
    const std::pair<std::string, std::string> refused[] = {
        {"pixmill-recovery 2\n" + text.substr(19), "another version"},
        {"PK\x03\x04", "not a recovery note"},
        {text.substr(0, text.size() - 1), "crc32 line"},
        {text + "x", "goes on after"},
        {replaced(pathField, "path 99 "), "line is missing or damaged"},
        {replaced(pathField, "path 99999999999999999999 "), "line is missing or damaged"},
        {replaced("copy 12 s1-2-3-4.ART", "copy 11 ../../x.ART"), "not a file name"},
        {replaced("copy 12 s1-2-3-4.ART", "copy 2 .."), "not a file name"},
        {replaced("0badf00d", "0badf00g"), "not a number"},
        {replaced("bytes 12 123456789012", "bytes 2 -1"), "not a number"},
    };
    for (const auto& [bad, reason] : refused) {
        auto result = ReadRecoveryNote(bad);
        ASSERT_FALSE(result) << reason;
        EXPECT_NE(result.reason().find(reason), std::string::npos) << result.reason();
    }
}

TEST(RecoveryStore, ACopyIsOfferedOnlyOnceItsEditorHasGoneAndComesBackWhole) {
    ScratchDir dir;
    const std::string folder = dir.Path("recovery");
    {
        RecoveryCopy copy(folder);
        ASSERT_TRUE(copy.Write(SomeTiles(), "/games/TILES001.ART", "/games/PALETTE.DAT"));
        Tileset changed = SomeTiles();
        changed.tile(1) = PatternTile(2, 2, 9);
        ASSERT_TRUE(copy.Write(changed, "/games/TILES001.ART", "/games/PALETTE.DAT"));
        // A copy, its note and its lock; the older copy is gone.
        EXPECT_EQ(ListDir(folder).size(), 3U);
        // Its editor runs: nothing is offered.
        EXPECT_TRUE(FindLeftRecoveries(folder).empty());
    }  // the editor dies without removing its copy

    std::vector<LeftRecovery> left = FindLeftRecoveries(folder);
    ASSERT_EQ(left.size(), 1U);
    EXPECT_EQ(left[0].problem, "");
    EXPECT_EQ(left[0].note.palettePath, "/games/PALETTE.DAT");
    // While one editor holds it, no other is offered it.
    EXPECT_TRUE(FindLeftRecoveries(folder).empty());
    auto read = ReadLeftRecovery(left[0]);
    ASSERT_TRUE(read) << read.reason();
    EXPECT_EQ(read->artPath, "/games/TILES001.ART");
    EXPECT_EQ(read->artFileNumber, 1);
    Tileset expected = SomeTiles();
    expected.tile(1) = PatternTile(2, 2, 9);
    EXPECT_EQ(*ArtBytes(*read), *ArtBytes(expected));

    // Taken over by the editor that recovered it: its writes replace it and
    // its Remove clears the folder.
    RecoveryCopy adopting(folder);
    adopting.Adopt(std::move(left[0]));
    ASSERT_TRUE(adopting.Write(SomeTiles(), "/games/TILES001.ART", ""));
    EXPECT_EQ(ListDir(folder).size(), 3U);
    adopting.Remove();
    EXPECT_TRUE(ListDir(folder).empty());
}

TEST(RecoveryStore, ADamagedCopyIsRefusedWithItsReasonAndRemoved) {
    const std::vector<
        std::pair<std::function<void(const std::string& folder, const std::string& copy,
                                     const std::string& note)>,
                  std::string>>
        damages = {
            {[](auto&, auto& copy, auto&) {
                 std::filesystem::resize_file(copy, std::filesystem::file_size(copy) - 3);
             },
             "bytes long"},
            {[](auto&, auto& copy, auto&) {
                 Bytes bytes = ReadBytes(copy);
                 bytes[bytes.size() - 1] ^= 1;
                 WriteBytes(copy, bytes);
             },
             "has changed"},
            {[](auto&, auto& copy, auto&) { std::filesystem::remove(copy); },
             "could not be opened"},
            {[](auto&, auto&, auto& note) { WriteBytes(note, Bytes(40, 0xFF)); },
             "note is damaged"},
            {[](auto&, auto&, auto& note) {
                 WriteBytes(note, Bytes{'p', 'i', 'x', 'm', 'i', 'l', 'l', '-', 'r', 'e', 'c', 'o',
                                        'v', 'e', 'r', 'y', ' ', '9', '\n'});
             },
             "another version"},
        };
    for (const auto& [damage, reason] : damages) {
        ScratchDir dir;
        const std::string folder = dir.Path("recovery");
        {
            RecoveryCopy copy(folder);
            ASSERT_TRUE(copy.Write(SomeTiles(), "/x/T.ART", ""));
        }
        std::string copyPath, notePath;
        for (const std::string& name : ListDir(folder)) {
            if (name.ends_with(".ART")) {
                copyPath = folder + "/" + name;
            } else if (name.ends_with(".note")) {
                notePath = folder + "/" + name;
            }
        }
        damage(folder, copyPath, notePath);
        std::vector<LeftRecovery> left = FindLeftRecoveries(folder);
        ASSERT_EQ(left.size(), 1U) << reason;
        auto read = ReadLeftRecovery(left[0]);
        ASSERT_FALSE(read) << reason;
        EXPECT_NE(read.reason().find(reason), std::string::npos) << read.reason();
        RemoveLeftRecovery(left[0]);
        EXPECT_TRUE(ListDir(folder).empty()) << reason;
    }
}

TEST(RecoveryWriter, WritesTheTilesetAsHandedOverAndReportsFailures) {
    ScratchDir dir;
    const std::string folder = dir.Path("recovery");
    std::vector<Status> reports;
    std::mutex reportsMutex;
    {
        RecoveryWriter writer(folder, [&](const Status& s) {
            const std::lock_guard<std::mutex> hold(reportsMutex);
            reports.push_back(s);
        });
        Tileset tileset = SomeTiles();
        writer.Write(tileset, "/x/T.ART", "");
        // Changed at once after the handing over: the copy is the tileset as it was.
        tileset.tile(3).Pixel(1, 1) = 250;
        writer.WaitUntilIdle();
    }
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_TRUE(reports[0].ok()) << reports[0].reason();
    std::vector<LeftRecovery> left = FindLeftRecoveries(folder);
    ASSERT_EQ(left.size(), 1U);
    auto read = ReadLeftRecovery(left[0]);
    ASSERT_TRUE(read) << read.reason();
    EXPECT_EQ(*ArtBytes(*read), *ArtBytes(SomeTiles()));

    // A folder that cannot be made: reported, and nothing else happens.
    WriteBytes(dir.Path("file"), Bytes{1});
    reports.clear();
    RecoveryWriter blocked(dir.Path("file") + "/recovery", [&](const Status& s) {
        const std::lock_guard<std::mutex> hold(reportsMutex);
        reports.push_back(s);
    });
    blocked.Write(SomeTiles(), "", "");
    blocked.WaitUntilIdle();
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_FALSE(reports[0].ok());
    blocked.Remove();
}

}  // namespace
}  // namespace pixmill
