// SPDX-License-Identifier: GPL-3.0-or-later
// Texture > Properties... and Dictionary > Target... through their menu entries, with undo.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "tests/app/GuiHarness.h"
#include "txd/LibraryVersion.h"

namespace tinplate {

namespace {

struct TargetWindow : Window {
    TargetWindow() {
        std::filesystem::copy_file(FixturePath("pc/p9_pal.txd"), scratch.path() / "d.txd");
        Open((scratch.path() / "d.txd").string());
    }
    void Run(int id) {
        for (QAction* action : dialog.findChildren<QAction*>()) {
            if (action->data().toInt() == id) {
                action->trigger();
            }
        }
    }
    std::uint32_t Filter(int row) {
        return dialog.Document().Textures().at(row).record.filterFlags;
    }
    QString Status() { return dialog.findChild<QLabel*>("statusText")->text(); }
};

}  // namespace

TEST(PropertiesMenu, ChangesTheFilterModeOfTheSelectedTexturesAndUndoes) {
    TargetWindow window;
    const std::uint32_t before = window.Filter(0);
    const std::uint32_t third = window.Filter(2);
    window.List().item(0)->setSelected(true);
    window.List().item(1)->setSelected(true);
    QString shownMask;
    window.prompts.propertyAnswers.push_back([&](PropertiesDialog& properties) {
        QComboBox& mode = properties.Chooser(FilterField::Mode);
        mode.setCurrentIndex(mode.findText("linear-mip-nearest"));
        shownMask = properties.Mask().text();
    });
    window.Run(command::kTextureProperties);
    EXPECT_EQ(window.Filter(0), (before & ~0xFFu) | 5);
    EXPECT_EQ(window.Filter(1) & 0xFF, 5u);
    EXPECT_EQ(window.Filter(2), third);
    EXPECT_EQ(shownMask.toStdString(), window.dialog.Document().Textures()[0].record.maskName);
    window.Run(command::kEditUndo);
    EXPECT_EQ(window.Filter(0), before);
    window.Run(command::kEditRedo);
    EXPECT_EQ(window.Filter(0) & 0xFF, 5u);
    EXPECT_TRUE(window.dialog.IsModified());
}

TEST(TargetMenu, GivesTheVersionAndPlatformAndUndoes) {
    TargetWindow window;
    window.prompts.itemAnswers.push_back(0);  // III on PC: platform 8, 3.3.0.2
    window.Run(command::kDictionaryTarget);
    const TextureDocument& document = window.dialog.Document();
    EXPECT_EQ(document.VersionWord(), 0x0C02FFFFu);
    EXPECT_EQ(document.Textures()[0].record.platform, 8u);
    EXPECT_TRUE(window.Status().contains("version 3.3.0.2")) << window.Status().toStdString();
    window.Run(command::kFileSave);
    EXPECT_EQ(DictionaryVersionWord(ReadBytes("d.txd")), 0x0C02FFFFu);
    window.Run(command::kEditUndo);
    EXPECT_EQ(document.VersionWord(), 0x1803FFFFu);
    EXPECT_EQ(document.Textures()[0].record.platform, 9u);
}

}  // namespace tinplate
