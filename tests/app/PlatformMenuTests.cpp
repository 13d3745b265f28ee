// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary > Platform... through its menu entry: conversion, undo, refusals, and the entries
// that only platform 5 has.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <algorithm>
#include <filesystem>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "tests/app/GuiHarness.h"
#include "txd/DictionaryReader.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

struct PlatformWindow : Window {
    QAction& Entry(int id) {
        const auto actions = dialog.findChildren<QAction*>();
        return **std::ranges::find_if(actions,
                                      [id](QAction* a) { return a->data().toInt() == id; });
    }
    void Run(int id) { Entry(id).trigger(); }
    // Chooses the platform offered at `item`: 0 is 5, 1 is 8, 2 is 9, 3 the PS2.
    void ConvertTo(int item) {
        prompts.itemAnswers.push_back(item);
        Run(command::kDictionaryPlatform);
    }
    std::vector<std::uint32_t> Platforms() {
        std::vector<std::uint32_t> platforms;
        for (const TextureEntry& texture : dialog.Document().Textures()) {
            platforms.push_back(texture.record.platform);
        }
        return platforms;
    }
    // How many of Swizzle All and Unswizzle All are enabled.
    int Swizzling() {
        return Entry(command::kImageSwizzleAll).isEnabled() +
               Entry(command::kImageUnswizzleAll).isEnabled();
    }
    QString Status() { return dialog.findChild<QLabel*>("statusText")->text(); }
};

}  // namespace

TEST(PlatformMenu, ConvertsAPcDictionaryAndUndoes) {
    PlatformWindow window;
    std::filesystem::copy_file(FixturePath("pc/p9_rgb.txd"), window.scratch.path() / "p9.txd");
    window.Open((window.scratch.path() / "p9.txd").string());
    const std::vector<TextureEntry> before = window.dialog.Document().Textures();
    EXPECT_TRUE(window.Status().startsWith("8 textures, PC D3D9, version 3.6.0.3 | "))
        << window.Status().toStdString();
    EXPECT_EQ(window.Swizzling(), 0);

    window.ConvertTo(2);  // the platform it is on already
    EXPECT_EQ(window.prompts.itemQuestions.back().toStdString(),
              "Convert to Platform: 5 — swizzled texels, 8 — PC, Direct3D 8, 9 — PC, Direct3D 9, "
              "ps2 — PS2");
    EXPECT_FALSE(window.dialog.IsModified());
    window.ConvertTo(0);
    EXPECT_EQ(window.Platforms(), std::vector<std::uint32_t>(8, 5));
    EXPECT_TRUE(window.dialog.IsModified());
    EXPECT_EQ(window.Swizzling(), 2);
    EXPECT_TRUE(window.Status().startsWith("8 textures, platform 5, version 3.6.0.3 | "))
        << window.Status().toStdString();

    window.Run(command::kEditUndo);
    EXPECT_FALSE(window.dialog.IsModified());
    EXPECT_EQ(window.Swizzling(), 0);
    const auto& after = window.dialog.Document().Textures();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].record.platform, 9u);
        EXPECT_EQ(after[i].record.pixels, before[i].record.pixels) << i;
        EXPECT_EQ(after[i].record.smallerLevels, before[i].record.smallerLevels) << i;
    }
}

// A 6 x 4 level cannot be swizzled, so platform 5 holds it in row order: it converts as it
// lies, beside a swizzled neighbour, and both keep their pictures.
TEST(PlatformMenu, ConvertsATextureThatCannotBeSwizzledAsItLies) {
    PlatformWindow window;
    window.OpenTextures({MakePatternTexture("odd", 6, 4, 32, 0, 1, 0x0500),
                         MakePatternTexture("even", 8, 8, 32, 0, 1, 0x0500)});
    const ByteBuffer odd = window.dialog.Document().Textures()[0].record.pixels;
    window.ConvertTo(2);
    EXPECT_TRUE(window.prompts.errors.empty());
    EXPECT_EQ(window.Platforms(), std::vector<std::uint32_t>(2, 9));
    EXPECT_EQ(window.dialog.Document().Textures()[0].record.pixels, odd);
}

// A PS2 dictionary goes to 9 and back with its indices and colours, and saves.
TEST(PlatformMenu, ConvertsAPs2DictionaryToD3d9AndBack) {
    PlatformWindow window;
    const std::string path = (window.scratch.path() / "g_pal.txd").string();
    std::filesystem::copy_file(FixturePath("ps2/g_pal.txd"), path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    window.Open(path);
    const std::vector<TextureEntry> before = window.dialog.Document().Textures();
    EXPECT_TRUE(window.Status().startsWith("9 textures, PS2, version 3.6.0.3 | "))
        << window.Status().toStdString();
    window.ConvertTo(2);
    EXPECT_EQ(window.Platforms(), std::vector<std::uint32_t>(9, 9));
    window.ConvertTo(3);
    EXPECT_EQ(window.Platforms(), std::vector<std::uint32_t>(9, platform::kPs2));
    const auto& after = window.dialog.Document().Textures();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].record.pixels, before[i].record.pixels) << i;
        EXPECT_EQ(after[i].record.smallerLevels, before[i].record.smallerLevels) << i;
        EXPECT_EQ(after[i].record.palette.size(), before[i].record.palette.size()) << i;
    }
    window.Run(command::kFileSave);
    EXPECT_FALSE(window.dialog.IsModified());
    EXPECT_EQ(ReadDictionary(path).size(), 9u);
}

}  // namespace tinplate
