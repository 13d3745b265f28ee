// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a dictionary inside an archive: opened from the entry list, saved back into it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTreeWidget>

#include "app/ArchiveEntryDialog.h"
#include "app/CommandTable.h"
#include "app/RecentFiles.h"
#include "archive/Archive.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {
namespace {

std::map<std::string, std::vector<std::uint8_t>> Entries(const std::string& path) {
    const Archive archive = Archive::Open(path);
    std::map<std::string, std::vector<std::uint8_t>> contents;
    for (std::size_t i = 0; i < archive.entries().size(); ++i) {
        contents[archive.entries()[i].name] = archive.ReadContent(i);
    }
    return contents;
}

TEST(ArchiveWindowTest, EntryOpensFlipsAndSavesBackAlone) {
    Window window;
    const std::string path = (window.scratch.path() / "game_v2.img").string();
    std::filesystem::copy_file(FixturePath("img/game_v2.img"), path);
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const auto before = Entries(path);
    window.prompts.entryAnswers.push_back("LAMPPOST.TXD");
    window.Open(path);
    ASSERT_TRUE(window.prompts.errors.empty()) << window.prompts.errors.join("\n").toStdString();
    EXPECT_EQ(window.prompts.entryLists, std::vector<std::size_t>{10});
    EXPECT_TRUE(window.dialog.windowTitle().startsWith("game_v2.img: LAMPPOST.TXD"));
    EXPECT_EQ(recent_files::Paths().value(0), QString::fromStdString(path) + ":LAMPPOST.TXD");
    window.Show(0);
    window.dialog.Dispatch(command::kImageFlip);
    window.dialog.Dispatch(command::kFileSave);
    ASSERT_TRUE(window.prompts.errors.empty()) << window.prompts.errors.join("\n").toStdString();
    auto after = Entries(path);
    EXPECT_NE(after["LAMPPOST.TXD"], before.at("LAMPPOST.TXD"));
    after["LAMPPOST.TXD"] = before.at("LAMPPOST.TXD");
    EXPECT_EQ(after, before);
}

TEST(ArchiveWindowTest, FilterKeepsMatchingEntriesAndOnlyDictionariesOpen) {
    ArchiveEntryDialog dialog(nullptr, "game.img",
                              {{"infernus.txd", 2048, true},
                               {"infernus.dff", 4096, false},
                               {"lamppost.txd", 2048, true}});
    dialog.Filter().setText("INFERNUS");
    QStringList shown;
    for (int i = 0; i < dialog.List().topLevelItemCount(); ++i) {
        if (!dialog.List().topLevelItem(i)->isHidden()) {
            shown << dialog.List().topLevelItem(i)->text(0);
        }
    }
    EXPECT_EQ(shown, QStringList({"infernus.dff", "infernus.txd"}));
    dialog.List().setCurrentItem(dialog.List().topLevelItem(0));
    EXPECT_EQ(dialog.Chosen(), "");
    dialog.List().setCurrentItem(dialog.List().topLevelItem(1));
    EXPECT_EQ(dialog.Chosen(), "infernus.txd");
}

}  // namespace
}  // namespace tinplate
