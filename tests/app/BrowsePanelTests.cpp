// SPDX-License-Identifier: GPL-3.0-or-later
// File > Browse Folder: the panel scans a folder, finds textures in files and archive entries,
// and a double-click opens the dictionary with the texture selected.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "app/BrowsePanel.h"
#include "app/EditorSettings.h"
#include "app/TextureDocument.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {
namespace {

namespace fs = std::filesystem;

QStringList Matches(const QTreeWidget& matches) {
    QStringList rows;
    for (int i = 0; i < matches.topLevelItemCount(); ++i) {
        const QTreeWidgetItem& row = *matches.topLevelItem(i);
        rows << row.text(0) + ' ' + row.text(1) + ' ' + row.text(2) + ' ' +
                    QString::fromStdString(fs::path(row.text(3).toStdString()).filename());
    }
    return rows;
}

TEST(BrowsePanelTest, FindsTexturesInFilesAndArchivesAndOpensTheChosenOne) {
    Window w;
    fs::create_directories("tree/sub");
    fs::copy_file(FixturePath("pc/p9_dxt.txd"), "tree/sub/p9_dxt.txd");
    fs::copy_file(FixturePath("img/game_v2.img"), "tree/game_v2.img");
    const QString folder = QString::fromStdString((w.scratch.path() / "tree").string());
    BrowsePanel& panel = w.dialog.Browser();
    panel.Browse(folder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Scanning(); }, 20000));
    EXPECT_FALSE(panel.isHidden());
    EXPECT_EQ(EditorSettings().value("browse/folder").toString(), folder);
    EXPECT_EQ(panel.findChild<QLabel*>("browseProgress")->text(),
              "8 dictionaries, 50 textures, 0 unreadable");

    auto* search = panel.findChild<QLineEdit*>("browseSearch");
    auto* matches = panel.findChild<QTreeWidget*>("browseMatches");
    QTest::keyClicks(search, "DXT3_4");
    EXPECT_EQ(Matches(*matches), QStringList({"dxt3_4x4 4 × 4 dxt3 game_v2.img:infernus.txd",
                                              "dxt3_4x4 4 × 4 dxt3 p9_dxt.txd"}));

    // Each opens, the archive's entry as the archive's commands open it, its texture selected.
    for (const int match : {0, 1}) {
        emit matches->itemDoubleClicked(matches->topLevelItem(match), 0);
        EXPECT_TRUE(w.dialog.windowTitle().startsWith(match == 0 ? "game_v2.img: infernus.txd"
                                                                 : "p9_dxt.txd"))
            << w.dialog.windowTitle().toStdString();
        ASSERT_GE(w.List().currentRow(), 0);
        EXPECT_EQ(w.List().currentItem()->text(), "dxt3_4x4");
    }
}

}  // namespace
}  // namespace tinplate
