// SPDX-License-Identifier: GPL-3.0-or-later
// View > As the Game Draws It: the same picture from every platform, and the stored view kept.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <filesystem>

#include "app/CommandTable.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

TEST(GamePictureView, TwinsLookAlikeAndTheStoredViewStaysTheDefault) {
    constexpr const char* kHint = "stored swizzled: View > As the Game Draws It shows the picture";
    struct Shown {
        QImage stored, game, gameFull, gameLevel, storedAgain;
        bool hintStored, hintGame;
    };
    std::map<std::string, Shown> shown;
    for (const std::string name : {"p5_pal.txd", "p9_pal.txd"}) {
        SCOPED_TRACE(name);
        Window window;
        std::filesystem::copy_file(FixturePath("pc/" + name), window.scratch.path() / name);
        window.Open((window.scratch.path() / name).string());
        window.Show(0);
        const auto hint = [&] {
            return window.dialog.findChild<QLabel*>("statusText")->text().contains(kHint);
        };
        Shown& s = shown[name];
        s.stored = window.Picture();
        s.hintStored = hint();
        window.dialog.Dispatch(command::kViewAsGameDrawsIt);
        s.game = window.Picture();
        s.hintGame = hint();
        window.dialog.Dispatch(command::kViewZoom200);
        s.gameFull = window.Picture();
        window.dialog.Dispatch(command::kViewZoomStandard);
        auto& levels = *window.dialog.findChild<QComboBox*>("levelSelector");
        levels.setCurrentIndex(1);
        emit levels.activated(1);
        s.gameLevel = window.Picture();
        levels.setCurrentIndex(0);
        window.dialog.Dispatch(command::kViewAsGameDrawsIt);
        s.storedAgain = window.Picture();
        EXPECT_TRUE(window.prompts.errors.empty());
    }
    const Shown& p5 = shown["p5_pal.txd"];
    const Shown& p9 = shown["p9_pal.txd"];
    EXPECT_FALSE(p5.game.isNull());
    EXPECT_EQ(p5.game, p9.game);
    EXPECT_EQ(p5.gameFull, p9.gameFull);
    EXPECT_EQ(p5.gameLevel, p9.gameLevel);
    EXPECT_EQ(p5.gameLevel.size(), QSize(32, 32));
    EXPECT_NE(p5.stored, p5.game);  // stored swizzled
    EXPECT_EQ(p5.storedAgain, p5.stored);
    EXPECT_EQ(p9.stored, p9.game);  // stored as drawn
    EXPECT_TRUE(p5.hintStored);
    EXPECT_FALSE(p5.hintGame || p9.hintStored || p9.hintGame);

}

}  // namespace tinplate
