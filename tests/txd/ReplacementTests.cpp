// SPDX-License-Identifier: GPL-3.0-or-later
// Save replaces the dictionary whole: whatever step fails, the old file stays byte for byte and
// no temporary is left; what succeeds keeps the file's place, mode, owner and links.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "fileio/AtomicFile.h"
#include "fileio/DictionaryLock.h"
#include "save/DictionarySave.h"
#include "tests/spy/SpyControl.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

namespace fs = std::filesystem;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using Names = std::vector<std::string>;

class ReplacementTest : public ::testing::Test {
protected:
    ~ReplacementTest() override { SetDiskStepHook({}); }

    // Saves dictionary.txd, read through `path`, with every texture flipped in alpha.
    FileIdentity Save(const std::string& path = "dictionary.txd") {
        const FileIdentity opened = IdentityOf(path);
        auto textures = ReadDictionary(path);
        for (TextureEntry& texture : textures) {
            texture.record.hasAlpha ^= 1;
        }
        return SaveDictionary(DictionaryLock(path), opened, ReadBytes(path), textures, gfx);
    }

    ScratchDir scratch;
    GfxBinding gfx{spy::kModuleName};
    std::vector<std::uint8_t> original =
        WriteDictionary("dictionary.txd", StandardSampleTextures());
};

TEST_F(ReplacementTest, AFailureAtAnyStepLeavesTheOldFileAndNoTemporary) {
    std::vector<std::string> steps;
    SetDiskStepHook([&](const char* step) { return steps.push_back(step), 0; });
    Save();
    const auto saved = ReadBytes("dictionary.txd");
    ASSERT_NE(saved, original);
    ASSERT_GE(steps.size(), 5u);  // create, write..., keep mode, sync, rename
    for (std::size_t failing = 0; failing < steps.size(); ++failing) {
        SCOPED_TRACE(steps[failing]);
        WriteBytes("dictionary.txd", original);
        std::size_t step = 0;
        SetDiskStepHook([&](const char*) { return step++ == failing ? ENOSPC : 0; });
        EXPECT_THROW(Save(), FileError);
        EXPECT_EQ(ReadBytes("dictionary.txd"), original);
        EXPECT_EQ(scratch.Files(), Names{"dictionary.txd"});
    }
    // A folder that takes no new file: the same bytes, written in place.
    WriteBytes("dictionary.txd", original);
    const auto inode = IdentityOf("dictionary.txd").inode;
    SetDiskStepHook([](const char* step) { return std::string(step) == "create" ? EACCES : 0; });
    Save();
    EXPECT_EQ(ReadBytes("dictionary.txd"), saved);
    EXPECT_EQ(IdentityOf("dictionary.txd").inode, inode);
}

TEST_F(ReplacementTest, ALinkIsFollowedAndModeOwnerAndGroupAreKept) {
    fs::create_directory("real");
    fs::rename("dictionary.txd", "real/dictionary.txd");
    fs::create_symlink("real/dictionary.txd", "dictionary.txd");
    ::chmod("real/dictionary.txd", 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown("real/dictionary.txd", 1234, 4321), 0);
    }
    // Leftovers of a crashed save go; files that only look alike stay.
    for (const char* name : {".dictionary.txd.tinplate-Zz0123", ".other.txd.tinplate-abcdef"}) {
        WriteBytes("real/" + std::string(name), {});
    }
    const FileIdentity saved = Save();
    EXPECT_TRUE(fs::is_symlink("dictionary.txd"));
    EXPECT_EQ(IdentityOf("real/dictionary.txd"), saved);
    EXPECT_NE(ReadBytes("real/dictionary.txd"), original);
    struct stat info {};
    ::stat("real/dictionary.txd", &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info.st_uid, 1234u);
        EXPECT_EQ(info.st_gid, 4321u);
    }
    EXPECT_FALSE(fs::exists("real/.dictionary.txd.tinplate-Zz0123"));
    EXPECT_TRUE(fs::exists("real/.other.txd.tinplate-abcdef"));
}

TEST_F(ReplacementTest, AFileChangedSinceItWasOpenedIsRefusedUntouched) {
    const FileIdentity opened = IdentityOf("dictionary.txd");
    const auto textures = ReadDictionary("dictionary.txd");
    auto changed = original;
    changed[original.size() - 1] ^= 1;
    // Rewritten in place (its time set apart from the clock's granularity), then replaced.
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1, 0}};
    for (const bool replace : {false, true}) {
        WriteBytes(replace ? "other.txd" : "dictionary.txd", changed);
        ::utimensat(AT_FDCWD, "dictionary.txd", times, 0);
        if (replace) {
            fs::rename("other.txd", "dictionary.txd");
        }
        EXPECT_THROW(
            SaveDictionary(DictionaryLock("dictionary.txd"), opened, original, textures, gfx),
            ChangedOnDiskError);
        EXPECT_EQ(ReadBytes("dictionary.txd"), changed);
    }
}

TEST_F(ReplacementTest, ASecondWriterWaitsForTheLockAndThenGivesUp) {
    const int holder = ::open("dictionary.txd", O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    EXPECT_THAT([] { DictionaryLock("dictionary.txd", std::chrono::milliseconds(200)); },
                ThrowsMessage<FileError>(StrEq("dictionary.txd: another program is saving it; "
                                               "gave up after waiting 200 ms")));
    ::close(holder);
    EXPECT_NO_THROW(DictionaryLock("dictionary.txd", std::chrono::milliseconds(200)));
}

}  // namespace

}  // namespace tinplate
