// SPDX-License-Identifier: GPL-3.0-or-later
// The editing commands as the window runs them: what they change, refresh and report.
#include <gtest/gtest.h>

#include <QListWidget>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

// A single click only selects; an alpha command on the selected texture, which is not the one
// shown, changes nothing but the Alpha field.
TEST(EditingTest, AlphaCommandOnASingleClickedTextureChangesOnlyTheAlphaField) {
    Window window;
    window.OpenTextures({MakePatternTexture("shown", 8, 8, 8, 0, 1, 0x2500),
                         MakePatternTexture("other", 16, 4, 32, 0, 1, 0x500)});
    const QImage picture = window.Picture();
    window.List().setCurrentRow(1);
    EXPECT_EQ(window.Field("imageLabel"), "Image: shown");
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    EXPECT_EQ(window.Record(1).hasAlpha, 1u);
    EXPECT_EQ(window.Record(0).hasAlpha, 0u);
    EXPECT_EQ(window.Field("Alpha"), "Yes");
    EXPECT_EQ(window.Field("Width"), "8");
    EXPECT_EQ(window.Field("imageLabel"), "Image: shown");
    EXPECT_EQ(window.Picture(), picture);
    EXPECT_TRUE(window.dialog.IsModified());

    window.Record(1).hasAlpha = 7;
    window.dialog.Dispatch(command::kAlphaSetAlphaToNo);
    EXPECT_EQ(window.Record(1).hasAlpha, 0u);
    EXPECT_EQ(window.Field("Alpha"), "No");
    window.dialog.Dispatch(command::kTextureListDoubleClick);
    EXPECT_EQ(window.Field("Width"), "16");
}

TEST(EditingTest, ExportAndImportReportAndTheImportShowsAtTheNextPreview) {
    Window window;
    window.OpenTextures({MakePatternTexture("blocks", 8, 8, 16, 12, 1, 0x200),
                         MakePatternTexture("indexed", 8, 8, 8, 0, 1, 0x2500)});
    window.dialog.Dispatch(command::kImageExport);
    EXPECT_EQ(window.prompts.messages, QStringList({"File Exported"}));
    ASSERT_TRUE(std::filesystem::exists("blocks.dds"));

    // An edited copy in another folder, found there by its bare name.
    std::filesystem::create_directory("edited");
    auto dds = ReadBytes("blocks.dds");
    for (std::size_t i = 128; i < dds.size(); ++i) {
        dds[i] = static_cast<std::uint8_t>(i);
    }
    WriteBytes("edited/blocks.dds", dds);
    const QImage before = window.Picture();
    window.prompts.openAnswers.push_back(
        QString::fromStdString((window.scratch.path() / "edited/blocks.dds").string()));
    window.dialog.Dispatch(command::kImageImport);
    EXPECT_EQ(window.prompts.openRequests.back(),
              QStringList({"DDS File (*.dds)|*dds|All Files (*.*)|*.*||", ".dds", "blocks.dds"}));
    EXPECT_EQ(window.prompts.messages.back(), "FileImported");
    EXPECT_TRUE(window.dialog.IsModified());
    EXPECT_EQ(window.Record(0).pixels, std::vector<std::uint8_t>(dds.begin() + 128, dds.end()));
    EXPECT_EQ(window.Picture(), before);
    window.Show(0);
    EXPECT_NE(window.Picture(), before);

    window.Show(1);
    window.dialog.Document().SetFolder(QString::fromStdString(window.scratch.path().string()));
    window.dialog.Dispatch(command::kImageExport);
    ASSERT_TRUE(std::filesystem::exists("indexed.tga"));
    window.prompts.openAnswers.push_back(
        QString::fromStdString((window.scratch.path() / "indexed.tga").string()));
    window.dialog.Dispatch(command::kImageImport);
    EXPECT_EQ(window.prompts.openRequests.back(),
              QStringList({"TGA File (*.tga)|*tga|All Files (*.*)|*.*||", ".tga", "indexed.tga"}));
    EXPECT_EQ(window.prompts.messages.back(), "File Imported");
    EXPECT_TRUE(window.prompts.errors.empty());
}

}  // namespace

}  // namespace tinplate
