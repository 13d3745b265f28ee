// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary > Platform... through its menu entry: conversion, undo, refusals, and the entries
// that only platform 5 has.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <filesystem>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

constexpr int kTo5 = 0;
constexpr int kTo9 = 2;

QAction& Entry(MainDialog& dialog, int id) {
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->data().toInt() == id) {
            return *action;
        }
    }
    throw std::runtime_error("no menu entry " + std::to_string(id));
}

void ConvertTo(Window& window, int item) {
    window.prompts.itemAnswers.push_back(item);
    Entry(window.dialog, command::kDictionaryPlatform).trigger();
}

std::vector<std::uint32_t> Platforms(const Window& window) {
    std::vector<std::uint32_t> platforms;
    for (const TextureEntry& texture : window.dialog.Document().Textures()) {
        platforms.push_back(texture.record.platform);
    }
    return platforms;
}

bool SwizzlingEnabled(Window& window) {
    const bool swizzle = Entry(window.dialog, command::kImageSwizzleAll).isEnabled();
    EXPECT_EQ(Entry(window.dialog, command::kImageUnswizzleAll).isEnabled(), swizzle);
    return swizzle;
}

}  // namespace

TEST(PlatformMenu, ConvertsAPcDictionaryAndUndoes) {
    Window window;
    std::filesystem::copy_file(FixturePath("pc/p9_rgb.txd"), window.scratch.path() / "p9.txd");
    window.Open((window.scratch.path() / "p9.txd").string());
    const TextureDocument& document = window.dialog.Document();
    const std::vector<TextureEntry> before = document.Textures();
    ASSERT_EQ(before.size(), 8u);
    QLabel& status = *window.dialog.findChild<QLabel*>("statusText");
    EXPECT_TRUE(status.text().startsWith("8 textures, PC D3D9 | ")) << status.text().toStdString();
    EXPECT_FALSE(SwizzlingEnabled(window));

    ConvertTo(window, kTo9);  // the platform it is on already
    EXPECT_FALSE(window.dialog.IsModified());

    ConvertTo(window, kTo5);
    EXPECT_EQ(Platforms(window), std::vector<std::uint32_t>(8, 5));
    EXPECT_TRUE(window.dialog.IsModified());
    EXPECT_TRUE(SwizzlingEnabled(window));
    EXPECT_TRUE(status.text().startsWith("8 textures | ")) << status.text().toStdString();

    Entry(window.dialog, command::kEditUndo).trigger();
    EXPECT_FALSE(window.dialog.IsModified());
    EXPECT_FALSE(SwizzlingEnabled(window));
    ASSERT_EQ(document.Textures().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const TextureRecord& record = document.Textures()[i].record;
        EXPECT_EQ(record.platform, 9u);
        EXPECT_EQ(record.pixels, before[i].record.pixels) << i;
        EXPECT_EQ(record.smallerLevels, before[i].record.smallerLevels) << i;
    }
    EXPECT_TRUE(window.prompts.errors.isEmpty());
}

// A 6 x 4 level cannot leave platform 5's swizzled order, unless Unswizzle All put it in row
// order (where it was all along); undoing Unswizzle All takes that back.
TEST(PlatformMenu, RefusesATextureThatCannotBeReorderedUntilUnswizzleAll) {
    Window window;
    window.OpenTextures({MakePatternTexture("odd", 6, 4, 32, 0, 1, 0),
                         MakePatternTexture("even", 8, 8, 32, 0, 1, 0)});
    const auto refused = [&window] {
        const std::vector<TextureEntry> before = window.dialog.Document().Textures();
        window.prompts.errors.clear();
        ConvertTo(window, kTo9);
        ASSERT_EQ(window.prompts.errors.size(), 1);
        EXPECT_TRUE(
            window.prompts.errors[0].startsWith("sample.txd\n\ntexture \"odd\" has a 6 x 4"))
            << window.prompts.errors[0].toStdString();
        EXPECT_EQ(Platforms(window), std::vector<std::uint32_t>(2, 5));
        EXPECT_EQ(window.dialog.Document().Textures()[1].record.pixels, before[1].record.pixels);
    };
    refused();
    EXPECT_FALSE(window.dialog.IsModified());

    Entry(window.dialog, command::kImageUnswizzleAll).trigger();
    ConvertTo(window, kTo9);
    EXPECT_EQ(Platforms(window), std::vector<std::uint32_t>(2, 9));

    Entry(window.dialog, command::kEditUndo).trigger();
    Entry(window.dialog, command::kEditUndo).trigger();
    EXPECT_FALSE(window.dialog.IsModified());
    refused();
}

}  // namespace tinplate
