// SPDX-License-Identifier: GPL-3.0-or-later
// The list's thumbnail view and its filter, through their menu entries and keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <set>
#include <string>

#include "app/CommandTable.h"
#include "app/ThumbnailMaker.h"
#include "tests/app/GuiHarness.h"
#include "texture/LevelDecode.h"

namespace tinplate {

namespace {

constexpr int kSide = 64;

// The event loop runs until every thumbnail asked for is in its item.
void WaitForThumbnails(Window& window) {
    const auto* maker = window.dialog.findChild<ThumbnailMaker*>("thumbnailMaker");
    ASSERT_NE(maker, nullptr);
    QListWidget& list = window.List();
    const auto done = [&] {
        for (int row = 0; row < list.count(); ++row) {
            if (list.item(row)->icon().isNull()) {
                return false;
            }
        }
        return !maker->Busy();
    };
    ASSERT_TRUE(QTest::qWaitFor(done, 20000));
}

// The 64 x 16 texture at its own size, centred on a transparent square: texel for texel the
// picture as the game draws it.
void ExpectWideGamePicture(Window& window, const QImage& thumbnail) {
    const RgbaImage game = GamePicture(window.Record(0));
    ASSERT_EQ(thumbnail.size(), QSize(kSide, kSide));
    EXPECT_EQ(qAlpha(thumbnail.pixel(0, 23)), 0);
    EXPECT_EQ(qAlpha(thumbnail.pixel(63, 40)), 0);
    for (std::uint32_t y = 0; y < 16; y += 5) {
        for (std::uint32_t x = 0; x < 64; x += 7) {
            const std::uint8_t* texel = &game.rgba[(std::size_t{y} * game.width + x) * 4];
            EXPECT_EQ(thumbnail.pixel(static_cast<int>(x), static_cast<int>(24 + y)),
                      qRgba(texel[0], texel[1], texel[2], texel[3]))
                << x << ", " << y;
        }
    }
}

QImage Thumbnail(Window& window, int row) {
    return window.List()
        .item(row)
        ->icon()
        .pixmap(kSide, kSide)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

std::vector<SampleTexture> Textures() {
    return {MakePatternTexture("wide", 64, 16, 32, 0, 3, 0x500),
            MakePatternTexture("Blocks", 16, 16, 16, 12, 1, 0x200),
            MakePatternTexture("indexed", 8, 8, 8, 0, 1, 0x2500)};
}

TEST(ThumbnailView, ThumbnailsShowTheTexturesAndFollowEditsUndoRenameAndRemove) {
    Window window;
    window.dialog.show();
    window.OpenTextures(Textures());
    QListWidget& list = window.List();
    const QSize listIconSize = list.iconSize();
    window.dialog.Dispatch(command::kViewThumbnails);
    EXPECT_EQ(list.viewMode(), QListView::IconMode);
    WaitForThumbnails(window);

    window.Show(0);
    const QImage wide = Thumbnail(window, 0);
    ExpectWideGamePicture(window, wide);
    const QImage blocks = Thumbnail(window, 1);
    EXPECT_NE(blocks, wide);

    window.dialog.Dispatch(command::kImageFlip);
    WaitForThumbnails(window);
    EXPECT_NE(Thumbnail(window, 0), wide);
    ExpectWideGamePicture(window, Thumbnail(window, 0));
    QTest::keySequence(&window.dialog, QKeySequence("Ctrl+Z"));
    WaitForThumbnails(window);
    EXPECT_EQ(Thumbnail(window, 0), wide);

    // Rename in place, Remove and its Undo, all in the grid.
    window.dialog.Dispatch(command::kTextureRename);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    qobject_cast<QLineEdit*>(editor)->selectAll();
    QTest::keyClicks(editor, "broad");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.dialog.IsModified(); }, 5000));
    EXPECT_EQ(list.item(0)->text(), "broad");
    EXPECT_EQ(list.viewMode(), QListView::IconMode);
    WaitForThumbnails(window);
    EXPECT_EQ(Thumbnail(window, 0), wide);

    window.dialog.Dispatch(command::kTextureRemove);
    ASSERT_EQ(list.count(), 2);
    WaitForThumbnails(window);
    EXPECT_EQ(Thumbnail(window, 0), blocks);
    QTest::keySequence(&window.dialog, QKeySequence("Ctrl+Z"));
    ASSERT_EQ(list.count(), 3);
    WaitForThumbnails(window);
    EXPECT_EQ(Thumbnail(window, 0), wide);
    EXPECT_EQ(Thumbnail(window, 1), blocks);

    window.dialog.Dispatch(command::kViewList);
    EXPECT_EQ(list.viewMode(), QListView::ListMode);
    EXPECT_EQ(list.iconSize(), listIconSize);
    for (int row = 0; row < list.count(); ++row) {
        EXPECT_TRUE(list.item(row)->icon().isNull()) << row;
    }
}

TEST(ThumbnailView, FilterHidesOtherNamesWhichOnlyAllTextureCommandsChange) {
    Window window;
    window.dialog.show();
    QApplication::setActiveWindow(&window.dialog);
    window.OpenTextures(Textures());
    QListWidget& list = window.List();
    auto& filter = *window.dialog.findChild<QLineEdit*>("textureFilter");
    EXPECT_FALSE(filter.isVisible());
    window.Show(0);

    QTest::keySequence(&window.dialog, QKeySequence("Ctrl+F"));
    ASSERT_TRUE(filter.isVisible());
    EXPECT_TRUE(filter.hasFocus());
    QTest::keyClicks(&filter, "bL");
    std::vector<bool> hidden;
    for (int row = 0; row < list.count(); ++row) {
        hidden.push_back(list.item(row)->isHidden());
    }
    EXPECT_EQ(hidden, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(window.dialog.findChild<QLabel*>("statusText")->text().startsWith("1 of 3 "));
    EXPECT_TRUE(window.PictureIsEmpty());  // the shown texture went out of sight with it

    // The selected texture went out of sight: the commands for one texture leave it alone.
    const std::vector<std::uint8_t> wide = window.Record(0).pixels;
    for (int id : {command::kImageFlip, command::kTextureRemove, command::kAlphaSetAlphaToYes}) {
        window.dialog.Dispatch(id);
    }
    EXPECT_EQ(list.count(), 3);
    EXPECT_FALSE(window.dialog.IsModified());
    window.dialog.Dispatch(command::kImageSwizzleAll);
    EXPECT_NE(std::vector<std::uint8_t>(window.Record(0).pixels), wide);

    QTest::keyClick(&filter, Qt::Key_Escape);
    EXPECT_TRUE(filter.text().isEmpty());
    EXPECT_FALSE(filter.isVisible());
    for (int row = 0; row < list.count(); ++row) {
        EXPECT_FALSE(list.item(row)->isHidden()) << row;
    }
    window.dialog.Dispatch(command::kEditFind);
    EXPECT_TRUE(filter.isVisible());
    QTest::keyClicks(&filter, "zz");
    window.prompts.saveAnswers.push_back(Prompts::SaveChoice::Discard);
    window.OpenTextures(Textures());  // another file: the search is cleared
    EXPECT_TRUE(filter.text().isEmpty());
    EXPECT_FALSE(list.item(0)->isHidden());
}

// Thumbnails are made as their items come into view; names of 16 characters fit their cells
// whole, and a wider list holds more columns.
TEST(ThumbnailView, ThumbnailsComeIntoViewWithTheirNamesWhole) {
    Window window;
    window.dialog.show();
    std::vector<SampleTexture> many;
    for (int i = 10; i < 70; ++i) {
        many.push_back(
            MakePatternTexture("dxt3_256_mips_" + std::to_string(i), 4, 4, 32, 0, 1, 0x500));
    }
    window.OpenTextures(many);
    window.dialog.Dispatch(command::kViewThumbnails);
    QListWidget& list = window.List();
    const auto made = [&](int row) { return !list.item(row)->icon().isNull(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return made(0); }, 20000));
    EXPECT_FALSE(made(59));
    list.scrollToBottom();
    ASSERT_TRUE(QTest::qWaitFor([&] { return made(59); }, 20000));

    EXPECT_GE(list.gridSize().width() - 8,
              list.fontMetrics().horizontalAdvance("dxt3_256_mips_69"));
    const auto columns = [&] {
        std::set<int> left;
        for (int row = 0; row < list.count(); ++row) {
            left.insert(list.visualItemRect(list.item(row)).left());
        }
        return left.size();
    };
    const std::size_t narrow = columns();
    window.dialog.resize(window.dialog.width() + 1200, window.dialog.height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return columns() >= narrow + 2; }, 5000)) << narrow;
}

}  // namespace

}  // namespace tinplate
