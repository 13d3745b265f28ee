// SPDX-License-Identifier: GPL-3.0-or-later
// Archives: the fixtures list and extract as recorded, writes keep every other entry, hostile
// directories are named and never written, and extraction stays inside its folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "archive/ArchiveExtract.h"
#include "archive/ArchiveWriter.h"
#include "fileio/AtomicFile.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "tests/support/TestSupport.h"

namespace tinplate {
namespace {

namespace fs = std::filesystem;

std::string CopyArchive(const std::string& name) {
    fs::copy_file(FixturePath("img/" + name), name, fs::copy_options::overwrite_existing);
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write);
    if (name.ends_with("_v1.img")) {
        const std::string dir = fs::path(name).replace_extension(".dir").string();
        fs::copy_file(FixturePath("img/" + dir), dir, fs::copy_options::overwrite_existing);
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_write);
    }
    return name;
}

std::map<std::string, std::string> Contents(const Archive& archive) {
    std::map<std::string, std::string> sums;
    for (std::size_t i = 0; i < archive.entries().size(); ++i) {
        sums[archive.entries()[i].name] = Sha256Hex(archive.ReadContent(i));
    }
    return sums;
}

TEST(ArchiveFixtures, EveryEntryListsAndExtractsAsRecorded) {
    ScratchDir scratch;
    for (const FixtureRow& row : FixtureTable("img/entries.tsv")) {
        SCOPED_TRACE(row.at("archive") + " " + row.at("name"));
        const Archive archive = Archive::Open(FixturePath("img/" + row.at("archive")));
        EXPECT_TRUE(archive.faults().empty());
        const std::size_t index = std::stoul(row.at("index"));
        const ArchiveEntry& entry = archive.entries().at(index);
        EXPECT_EQ(entry.name, row.at("name"));
        EXPECT_EQ(entry.offset, std::stoul(row.at("offset")));
        EXPECT_EQ(entry.sectors, std::stoul(row.at("sectors")));
        EXPECT_EQ(archive.IsDictionary(index), row.at("dictionary") == "1");
        EXPECT_EQ(archive.Dictionaries().at(index), row.at("dictionary") == "1");
        const std::string path = ExtractEntry(archive, index, scratch.path().string());
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        EXPECT_EQ(bytes.size(), std::stoul(row.at("bytes")));
        EXPECT_EQ(Sha256Hex(bytes), row.at("sha256"));
    }
}

// Each change, on each fixture: the changed entries read as written, every other entry keeps
// its bytes, and the result is a sound archive before and after pack.
TEST(ArchiveWrites, ChangesKeepEveryOtherEntry) {
    const std::vector<std::uint8_t> small(3000, 0x5A);
    const std::vector<std::uint8_t> large(200 * 1024, 0xA5);
    struct Change {
        const char* what;
        std::function<void(ArchiveWriter&)> apply;
        std::map<std::string, std::string> expected;  // name -> SHA-256, "" when removed
    };
    std::vector<std::uint8_t> zeroEnded(2 * kSectorSize, 0);  // binary: its zeros are its own
    zeroEnded[0] = 0x01;
    const std::string line = "inst\nend\n";
    const std::vector<std::uint8_t> text(line.begin(), line.end());
    std::map<std::string, std::string> many;
    for (int i = 0; i < 70; ++i) {
        many["added" + std::to_string(i) + ".txd"] = Sha256Hex(small);
    }
    const std::vector<Change> changes = {
        {"replace smaller",
         [&](ArchiveWriter& w) { w.Put("lamppost.txd", small); },
         {{"LAMPPOST.TXD", Sha256Hex(small)}}},
        {"replace larger, moved",
         [&](ArchiveWriter& w) { w.Put("infernus.col", large); },
         {{"infernus.col", Sha256Hex(large)}}},
        {"add past a full directory",
         [&](ArchiveWriter& w) {
             for (int i = 0; i < 70; ++i) {
                 w.Put("added" + std::to_string(i) + ".txd", small);
             }
         },
         many},
        {"binary ending in zeros, text",
         [&](ArchiveWriter& w) {
             w.Put("zeros.dat", zeroEnded);
             w.Put("notes.ipl", text);
         },
         {{"zeros.dat", Sha256Hex(zeroEnded)}, {"notes.ipl", Sha256Hex(text)}}},
        {"remove", [&](ArchiveWriter& w) { w.Remove("INFERNUS.TXD"); }, {{"infernus.txd", ""}}},
        {"rename",
         [&](ArchiveWriter& w) { w.Rename("notes.ipl", "renamed.ipl"); },
         {{"notes.ipl", ""}, {"renamed.ipl", "as notes.ipl"}}},
    };
    for (const char* fixture : {"game_v2.img", "game_v1.img", "holes_v2.img"}) {
        for (const Change& change : changes) {
            SCOPED_TRACE(std::string(fixture) + ": " + change.what);
            ScratchDir scratch;
            const std::string path = CopyArchive(fixture);
            std::map<std::string, std::string> expected = Contents(Archive::Open(path));
            const std::string notes = expected["notes.ipl"];
            for (const auto& [name, sum] : change.expected) {
                expected[name] = sum == "as notes.ipl" ? notes : sum;
            }
            std::erase_if(expected, [](const auto& item) { return item.second.empty(); });
            {
                ArchiveWriter writer(path);
                change.apply(writer);
            }
            const Archive changed = Archive::Open(path);
            EXPECT_TRUE(changed.faults().empty()) << changed.faults().front();
            EXPECT_EQ(Contents(changed), expected);
            PackArchive(path);
            const Archive packed = Archive::Open(path);
            EXPECT_TRUE(packed.faults().empty());
            EXPECT_EQ(Contents(packed), expected);
            std::uint64_t end = packed.version() == ArchiveVersion::Two
                                    ? DirectorySectors(packed.entries().size())
                                    : 0;
            for (const ArchiveEntry& entry : packed.entries()) {
                EXPECT_EQ(entry.offset, end);
                end += entry.sectors;
            }
            EXPECT_EQ(packed.dataSize(), end * kSectorSize);
        }
    }
}

// A version-1 pack stopped at each of its renames (the waiting directory, the data file, the
// directory after it) reads whole, old or packed, and the next writer leaves only the pair.
TEST(ArchiveWrites, Version1PackStoppedAtEachRenameReadsWhole) {
    for (const int failing : {1, 2, 3}) {
        SCOPED_TRACE(failing);
        ScratchDir scratch;
        const std::string path = CopyArchive("game_v1.img");
        ArchiveWriter(path).Put("infernus.txd", std::vector<std::uint8_t>(200 * 1024, 0xA5));
        const auto before = Contents(Archive::Open(path));
        int renames = 0;
        SetDiskStepHook([&](const char* step) {
            return std::string(step) == "rename" && ++renames == failing ? EIO : 0;
        });
        EXPECT_THROW(PackArchive(path), FileError);
        SetDiskStepHook({});
        const Archive stopped = Archive::Open(path);
        EXPECT_EQ(Contents(stopped), before);
        EXPECT_EQ(stopped.entries().front().offset == 0, failing == 3);
        ArchiveWriter finishing(path);
        EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"game_v1.dir", "game_v1.img"}));
        EXPECT_EQ(Contents(Archive::Open(path)), before);
    }
}

std::vector<std::uint8_t> Slot(std::uint32_t offset, std::uint32_t sectors, std::string_view name) {
    std::vector<std::uint8_t> slot;
    AppendLe32(slot, offset);
    AppendLe32(slot, sectors);
    slot.resize(32, 0);
    std::copy(name.begin(), name.begin() + std::min<std::size_t>(name.size(), 24),
              slot.begin() + 8);
    return slot;
}

// A version-2 archive of `slots` with `count` in its header and `sectors` of data after it.
std::vector<std::uint8_t> Version2(std::uint32_t count,
                                   const std::vector<std::vector<std::uint8_t>>& slots,
                                   std::size_t sectors) {
    std::vector<std::uint8_t> bytes{'V', 'E', 'R', '2'};
    AppendLe32(bytes, count);
    for (const auto& slot : slots) {
        bytes.insert(bytes.end(), slot.begin(), slot.end());
    }
    bytes.resize(sectors * kSectorSize, 0x11);
    return bytes;
}

TEST(ArchiveFaults, HostileDirectoriesAreNamedAndNeverWritten) {
    const auto good = Slot(1, 1, "good.txd");
    const std::string noEnd(24, 'n');
    struct Hostile {
        std::vector<std::uint8_t> img;
        std::vector<std::uint8_t> dir;  // version 1 when not empty
        const char* fault;
        bool goodReads = true;  // the sound entry can still be extracted
    };
    const std::vector<Hostile> table = {
        {Version2(1000, {good}, 4), {}, "counts 1000 entries", false},
        {Version2(2, {good, Slot(3, 5, "past.txd")}, 4), {}, "entry 1 (past.txd): its data"},
        {Version2(3, {good, Slot(2, 2, "a.txd"), Slot(3, 1, "b.txd")}, 5), {}, "overlap those"},
        {Version2(2, {good, Slot(0, 1, "dir.txd")}, 4), {}, "overlaps the directory"},
        {Version2(2, {good, Slot(2, 1, noEnd)}, 4), {}, "no NUL"},
        {Version2(2, {good, Slot(2, 1, "")}, 4), {}, "name is empty"},
        {Version2(2, {good, Slot(2, 1, "GOOD.txd")}, 4), {}, "but for letter case"},
        {std::vector<std::uint8_t>(4 * kSectorSize, 0x11),
         [&] {
             auto dir = Slot(0, 1, "good.txd");
             dir.resize(40);
             return dir;
         }(),
         "not a multiple of 32"},
    };
    for (const Hostile& row : table) {
        SCOPED_TRACE(row.fault);
        ScratchDir scratch;
        WriteBytes("h.img", row.img);
        if (!row.dir.empty()) {
            WriteBytes("h.dir", row.dir);
        }
        const Archive archive = Archive::Open("h.img");
        ASSERT_FALSE(archive.faults().empty());
        EXPECT_NE(archive.faults().front().find(row.fault), std::string::npos)
            << archive.faults().front();
        const auto found = archive.Find("good.txd");
        ASSERT_TRUE(found);
        if (row.goodReads) {
            EXPECT_EQ(archive.ReadContent(*found), std::vector<std::uint8_t>(2048, 0x11));
        }
        const auto writes = {+[](const std::string& p) { ArchiveWriter(p).Put("x.txd", {}); },
                             +[](const std::string& p) { PackArchive(p); }};
        for (const auto write : writes) {
            try {
                write("h.img");
                ADD_FAILURE() << "written";
            } catch (const FileError& error) {
                EXPECT_NE(std::string(error.what()).find(row.fault), std::string::npos);
            }
        }
        EXPECT_EQ(ReadBytes("h.img"), row.img);
        EXPECT_EQ(scratch.Files().size(), row.dir.empty() ? 1u : 2u);
    }
}

TEST(ArchiveExtract, NamesWithFolderPartsStayInTheFolder) {
    ScratchDir scratch;
    fs::create_directories("out/a");
    WriteBytes(
        "n.img",
        Version2(3, {Slot(1, 1, "../x.txd"), Slot(2, 1, "/x.txd"), Slot(3, 1, "a/b.txd")}, 4));
    const Archive archive = Archive::Open("n.img");
    for (std::size_t i = 0; i < archive.entries().size(); ++i) {
        const fs::path written = ExtractEntry(archive, i, "out");
        EXPECT_EQ(written.parent_path(), "out");
    }
    EXPECT_FALSE(fs::exists("x.txd"));
    EXPECT_TRUE(fs::is_empty("out/a"));
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"n.img", "out"}));
}

}  // namespace
}  // namespace tinplate
