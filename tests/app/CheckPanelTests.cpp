// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary > Check: the panel lists the open dictionary's findings, a double-click shows a
// finding's texture, and every edit and undo brings the list up to date.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

#include "app/CommandTable.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {
namespace {

// "TEXTURE SEVERITY RULE" of each finding listed, once the edits have been announced; the
// note naming the targets a dictionary fits, which every dictionary gets, left out.
QStringList Listed(const QTreeWidget& findings) {
    QApplication::processEvents();
    QStringList rows;
    for (int i = 0; i < findings.topLevelItemCount(); ++i) {
        const QTreeWidgetItem& row = *findings.topLevelItem(i);
        if (row.text(3) != "targets") {
            rows << row.text(0) + ' ' + row.text(1) + ' ' + row.text(3);
        }
    }
    return rows;
}

SampleTexture Opaque(const std::string& name) {
    SampleTexture texture = MakePatternTexture(name, 8, 8, 32, 0, 1, 0x0500);
    for (std::size_t i = 3; i < texture.levels[0].size(); i += 4) {
        texture.levels[0][i] = 255;
    }
    return texture;
}

TEST(CheckPanelTest, ListsFindingsShowsTheirTextureAndFollowsEditsAndUndo) {
    Window w;
    w.OpenTextures(
        {Opaque("wall"), MakePatternTexture("glass", 8, 8, 32, 0, 1, 0x0500), Opaque("WALL")});
    auto* panel = w.dialog.findChild<QDockWidget*>("checkPanel");
    auto* findings = w.dialog.findChild<QTreeWidget*>("checkFindings");
    ASSERT_NE(findings, nullptr);
    EXPECT_TRUE(panel->isHidden());

    for (QAction* action : w.dialog.findChildren<QAction*>()) {
        if (action->data().toInt() == command::kDictionaryCheck) {
            action->trigger();
        }
    }
    EXPECT_FALSE(panel->isHidden());
    const QStringList all = {"glass error alpha-unset", "WALL error name-duplicate"};
    EXPECT_EQ(Listed(*findings), all);

    // The search field hides glass; its finding shows it all the same.
    w.dialog.Dispatch(command::kEditFind);
    w.dialog.findChild<QLineEdit*>("textureFilter")->setText("wall");
    emit findings->itemDoubleClicked(findings->topLevelItem(0), 0);
    EXPECT_EQ(w.List().currentRow(), 1);
    EXPECT_EQ(w.Field("imageLabel"), "Image: glass");

    w.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    EXPECT_EQ(Listed(*findings), QStringList{all[1]});
    EXPECT_EQ(panel->windowTitle(), "Check: 1 error, 0 warnings, 0 notes");
    w.dialog.Dispatch(command::kEditUndo);
    EXPECT_EQ(Listed(*findings), all);

    emit findings->itemDoubleClicked(findings->topLevelItem(1), 0);
    EXPECT_EQ(w.List().currentRow(), 2);
    w.dialog.Dispatch(command::kTextureRemove);
    EXPECT_EQ(Listed(*findings), QStringList{all[0]});
    w.dialog.Dispatch(command::kEditUndo);
    EXPECT_EQ(Listed(*findings), all);
}

}  // namespace
}  // namespace tinplate
