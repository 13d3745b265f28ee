// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "DictionaryReader.h"
#include "DictionarySave.h"
#include "FileError.h"
#include "FileIo.h"
#include "SpyControl.h"
#include "TestSupport.h"

namespace {

using ::testing::HasSubstr;

// Every failure must leave the dictionary as it was and no working file behind.
class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        spy::Reset();
        CopyFixtureHere(kName);
        before = ReadBytes(kName);
        textures = ReadDictionary(kName);
    }

    // The error Save stops with; fails the test when it does not stop.
    FileError SaveError(GfxBinding& binding, const std::string& path = kName) {
        try {
            SaveDictionary(path, textures, binding);
        } catch (const FileError& error) {
            return error;
        }
        ADD_FAILURE() << "Save reported success";
        return FileError(path, "");
    }

    void ExpectUntouched() {
        EXPECT_EQ(ReadBytes(kName), before);
        EXPECT_EQ(scratch.Files(), std::vector<std::string>{kName});
    }

    static constexpr const char* kName = "pal8_mips.txd";
    ScratchDir scratch;
    GfxBinding spyGfx{spy::kModuleName};
    std::vector<std::uint8_t> before;
    std::vector<TextureEntry> textures;
};

TEST_F(SaveFailureTest, MissingLibraryNamesTheTextureEvenWithAStaleOutputPresent) {
    WriteBytes("MipMapOut.bmp", std::vector<std::uint8_t>(70000, 7));
    GfxBinding missing("tinplate_no_such_lib");
    const FileError error = SaveError(missing);
    EXPECT_EQ(error.fileName(), kName);
    EXPECT_THAT(error.reason(), HasSubstr("texture \"zebra_256_mips\""));
    EXPECT_THAT(error.reason(), HasSubstr("missing"));
    ExpectUntouched();
}

TEST_F(SaveFailureTest, OutputNotProducedStopsBeforeAnyWrite) {
    spy::MakeNoOutput("_bmpresize", 0, 10);  // the third level of the second texture
    const FileError error = SaveError(spyGfx);
    EXPECT_EQ(error.reason(), "texture \"middle_64x32\": MipMapOut.bmp (8 x 4) was not produced");
    ExpectUntouched();
}

TEST_F(SaveFailureTest, StaleOutputIsNeverTakenForTheResizesOwn) {
    WriteBytes("MipMapOut.bmp", std::vector<std::uint8_t>(70000, 7));
    spy::MakeNoOutput("_bmpresize");
    EXPECT_THAT(SaveError(spyGfx).reason(), HasSubstr("was not produced"));
    ExpectUntouched();
}

TEST_F(SaveFailureTest, ShortOutputIsRefused) {
    spy::MakeTruncatedOutput("_bmpresize", 1100);
    EXPECT_EQ(SaveError(spyGfx).reason(),
              "texture \"zebra_256_mips\": MipMapOut.bmp (128 x 128) holds 1100 bytes, 17462 "
              "needed");
    ExpectUntouched();
}

TEST_F(SaveFailureTest, DictionaryThatCannotBeOpenedForWritingIsLeftAlone) {
    EXPECT_EQ(SaveError(spyGfx, "gone.txd").fileName(), "gone.txd");
    EXPECT_FALSE(FileExists("gone.txd"));
    std::filesystem::create_directory("folder.txd");
    EXPECT_EQ(SaveError(spyGfx, "folder.txd").fileName(), "folder.txd");
    std::filesystem::remove("folder.txd");
    EXPECT_EQ(spy::CallsTo("_bmpresize").size(), 2u * (8 + 6 + 8));
    ExpectUntouched();
}

TEST_F(SaveFailureTest, NothingIsWrittenOutsideTheTexturesPlaces) {
    textures[2].record.pixels.push_back(0);
    EXPECT_THAT(SaveError(spyGfx).reason(), HasSubstr("texture \"apple_4x4\""));
    ExpectUntouched();

    textures[2].record.pixels.pop_back();
    std::filesystem::resize_file(kName, before.size() - 100);
    EXPECT_THAT(SaveError(spyGfx).reason(), HasSubstr("shorter than when it was opened"));
    EXPECT_EQ(std::filesystem::file_size(kName), before.size() - 100);
    EXPECT_TRUE(spy::Calls().empty());
}

TEST_F(SaveFailureTest, FailedWriteNamesTheTexture) {
    const FileError error = SaveError(spyGfx, "/dev/full");
    EXPECT_EQ(error.fileName(), "/dev/full");
    EXPECT_THAT(error.reason(), HasSubstr("texture \"zebra_256_mips\""));
    ExpectUntouched();
}

}  // namespace
