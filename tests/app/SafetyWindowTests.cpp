// SPDX-License-Identifier: GPL-3.0-or-later
// The window never writes over a dictionary changed behind its back.
#include <gtest/gtest.h>

#include <utility>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "fileio/FileError.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

TEST(SafetyWindowTest, SaveOfADictionaryChangedOnDiskOffersToReopenIt) {
    Window window;
    window.OpenTextures({MakePatternTexture("t", 8, 8, 32, 0, 1, 0x500)});
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    auto theirs = ReadBytes("sample.txd");
    theirs.back() ^= 1;
    WriteBytes("changed.txd", theirs);
    std::filesystem::rename("changed.txd", "sample.txd");
    for (const bool reopen : {false, true}) {
        window.prompts.reopenAnswer = reopen;
        window.dialog.Dispatch(command::kFileSave);
        EXPECT_EQ(window.prompts.reopenQuestions.size(), reopen ? 2 : 1);
        EXPECT_EQ(window.prompts.reopenQuestions.back(), "sample.txd");
        EXPECT_EQ(ReadBytes("sample.txd"), theirs);
        EXPECT_EQ(window.dialog.IsModified(), !reopen);
    }
    EXPECT_EQ(window.Field("Alpha"), "No");
    EXPECT_TRUE(window.prompts.messages.empty());
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    window.dialog.Dispatch(command::kFileSave);
    EXPECT_EQ(window.prompts.messages, QStringList{"File Saved"});
}

// Another program cutting the open file short must not take the textures from under the window
// (a small file is copied), nor crash it or have Save As write zeros for them (a large one is
// mapped).
TEST(SafetyWindowTest, TexturesOutliveTheirFileBeingCutShort) {
    for (const std::uint32_t side : {8u, 2048u}) {
        Window window;
        const SampleTexture texture = MakePatternTexture("t", side, side, 32, 0, 1, 0x500);
        window.OpenTextures({texture});
        std::filesystem::resize_file("sample.txd", 0);
        window.dialog.Dispatch(command::kTextureListDoubleClick);
        const bool copied = side == 8;
        EXPECT_EQ(std::as_const(window.Record(0)).pixels == texture.levels[0], copied);
        if (copied) {
            EXPECT_EQ(window.Picture().size(), QSize(8, 8));
            continue;
        }
        EXPECT_THROW(window.dialog.Document().SaveAs("copy.txd"), FileError);
        EXPECT_FALSE(std::filesystem::exists("copy.txd"));
    }
}

}  // namespace

}  // namespace tinplate
