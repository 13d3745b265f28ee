// SPDX-License-Identifier: GPL-3.0-or-later
// Save in place when a step fails: the file stays as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "fileio/DictionaryLock.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "save/DictionarySave.h"
#include "tests/spy/SpyControl.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

using ::testing::HasSubstr;

// Every failure must leave the dictionary as it was and no working file behind.
class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override { spy::Reset(); }

    // The reason Save stops with; fails the test when it does not stop.
    std::string SaveError(GfxBinding& binding, const std::string& path = kName) {
        try {
            const DictionaryLock lock(path);
            SaveDictionary(lock, IdentityOf(path), before, textures, binding);
        } catch (const FileError& error) {
            EXPECT_EQ(error.fileName(), path);
            return error.reason();
        }
        ADD_FAILURE() << "Save reported success";
        return "";
    }

    void ExpectUntouched() {
        EXPECT_EQ(ReadBytes(kName), before);
        EXPECT_EQ(scratch.Files(), std::vector<std::string>{kName});
    }

    static constexpr const char* kName = "pal8_mips.txd";
    ScratchDir scratch;
    GfxBinding spyGfx{spy::kModuleName};
    std::vector<std::uint8_t> before = ReadBytes(CopyFixtureHere(kName));
    // Every texture changed, so that every 8-bit one has its levels rebuilt.
    std::vector<TextureEntry> textures = [] {
        auto read = ReadDictionary(kName);
        for (TextureEntry& texture : read) {
            texture.record = Scrambled(texture.record);
        }
        return read;
    }();
};

// A stale MipMapOut.bmp of a plausible size is never taken for the resize's own.
TEST_F(SaveFailureTest, MissingLibraryOrMissingOrShortOutputStopsBeforeAnyWrite) {
    WriteBytes(WorkingPath("MipMapOut.bmp"), std::vector<std::uint8_t>(70000, 7));
    GfxBinding missing("tinplate_no_such_lib");
    EXPECT_THAT(SaveError(missing), HasSubstr("texture \"zebra_256_mips\": the image library"));
    ExpectUntouched();

    WriteBytes(WorkingPath("MipMapOut.bmp"), std::vector<std::uint8_t>(70000, 7));
    spy::MakeNoOutput("_bmpresize", 0, 10);  // the third level of the second texture
    EXPECT_EQ(SaveError(spyGfx),
              "texture \"middle_64x32\": MipMapOut.bmp (8 x 4) was not produced");
    ExpectUntouched();

    spy::MakeTruncatedOutput("_bmpresize", 1100);
    EXPECT_EQ(SaveError(spyGfx),
              "texture \"zebra_256_mips\": MipMapOut.bmp (128 x 128) holds 1100 bytes, 17462 "
              "needed");
    ExpectUntouched();
}

TEST_F(SaveFailureTest, DictionaryThatCannotBeWrittenIsLeftAlone) {
    SaveError(spyGfx, "gone.txd");
    EXPECT_FALSE(FileExists("gone.txd"));
    std::filesystem::create_directory("folder.txd");
    EXPECT_EQ(SaveError(spyGfx, "folder.txd"), "not a regular file");
    std::filesystem::remove("folder.txd");
    EXPECT_EQ(SaveError(spyGfx, "/dev/full"), "not a regular file");
    EXPECT_TRUE(spy::Calls().empty());
    ExpectUntouched();
}

TEST_F(SaveFailureTest, NothingIsWrittenOutsideTheTexturesPlaces) {
    textures[2].record.pixels.push_back(0);
    EXPECT_THAT(SaveError(spyGfx), HasSubstr("texture \"apple_4x4\""));
    ExpectUntouched();

    textures[2].record.pixels.pop_back();
    std::filesystem::resize_file(kName, before.size() - 100);
    EXPECT_THAT(SaveError(spyGfx), HasSubstr("shorter than when it was opened"));
    EXPECT_EQ(std::filesystem::file_size(kName), before.size() - 100);
    EXPECT_TRUE(spy::Calls().empty());
}

}  // namespace

}  // namespace tinplate
