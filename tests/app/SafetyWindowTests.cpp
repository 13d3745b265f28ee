// SPDX-License-Identifier: GPL-3.0-or-later
// The window leaves the user's files alone and never writes over a dictionary changed behind
// its back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QListWidget>

#include "CommandTable.h"
#include "GuiHarness.h"

namespace {

TEST(SafetyWindowTest, UserFilesNamedLikeWorkingFilesSurviveEveryCommand) {
    Window window;
    const std::vector<std::string> names{"Temp.bmp",
                                         "Temp.dds",
                                         "MipMapIn.bmp",
                                         "MipMapOut.bmp",
                                         "ImportFile.bmp",
                                         "ImportFile.tga",
                                         "zebra_pal8_64.bmp",
                                         "mango_rgba_64x32.bmp",
                                         "mango_rgba_64x32.tga"};
    for (const std::string& name : names) {
        WriteBytes(name, std::vector<std::uint8_t>(name.begin(), name.end()));
    }
    const auto all = StandardSampleTextures();
    window.OpenTextures({all[0], all[3], all[5]});  // 8-bit with levels, 32-bit, DXT1 with levels
    for (int row = 0; row < 3; ++row) {
        window.Show(row);
        window.dialog.Dispatch(command::kImageExport);
        const std::string product = row == 0   ? "zebra_pal8_64.tga"
                                    : row == 1 ? "mango_rgba_64x32.dds"
                                               : "dxt1_64_mips.dds";
        window.prompts.openAnswers.push_back(
            QString::fromStdString((window.scratch.path() / product).string()));
        window.dialog.Dispatch(command::kImageImport);
        window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
        window.dialog.Dispatch(command::kFileSave);
    }
    EXPECT_TRUE(window.prompts.errors.empty()) << window.prompts.errors.join("\n").toStdString();
    EXPECT_EQ(window.prompts.messages.count("File Saved"), 3);
    for (const std::string& name : names) {
        EXPECT_EQ(ReadBytes(name), std::vector<std::uint8_t>(name.begin(), name.end())) << name;
    }
}

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

}  // namespace
