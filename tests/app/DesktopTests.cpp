// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a desktop program: resizing, zoom, keys, drag and drop, recent files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QTest>
#include <QUrl>

#include "app/CommandTable.h"
#include "app/DialogLayout.h"
#include "app/EditorSettings.h"
#include "app/RecentFiles.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

QSize PictureSize(Window& window) {
    return window.dialog.findChild<QLabel*>("picture")->size();
}

QWidget& Area(Window& window) {
    return *window.dialog.findChild<QScrollArea*>();
}

TEST(DesktopTest, TheWindowOpensAsBeforeAndGrowingItGrowsListAndPicture) {
    Window window;
    window.dialog.show();
    const DialogLayout layout(window.dialog.fontMetrics());
    QLabel& field = *window.dialog.findChild<QLabel*>("Height");
    EXPECT_EQ(window.List().geometry(), layout.ToPixels(7, 14, 151, 158));
    EXPECT_EQ(Area(window).geometry(), layout.ToPixels(161, 14, 171, 158));
    EXPECT_EQ(field.geometry(), layout.ToPixels(56, 191, 19, 9));

    const QRect list = window.List().geometry();
    const QRect area = Area(window).geometry();
    const QRect value = field.geometry();
    window.dialog.resize(window.dialog.size() + QSize(400, 300));
    QApplication::sendPostedEvents();
    EXPECT_EQ(window.List().height(), list.height() + 300);
    EXPECT_EQ(Area(window).height(), area.height() + 300);
    EXPECT_GT(window.List().width(), list.width());
    EXPECT_GT(Area(window).width(), area.width() + window.List().width() - list.width());
    EXPECT_EQ(field.geometry(), value.translated(0, 300));
}

TEST(DesktopTest, ZoomLevelsGiveTheirSizes) {
    Window window;
    window.dialog.show();
    window.OpenTextures({MakePatternTexture("tiny", 4, 2, 32, 0, 1, 0x500),
                         MakePatternTexture("wide", 512, 256, 32, 0, 1, 0x500),
                         MakePatternTexture("exact", 256, 256, 8, 0, 1, 0x2500),
                         MakePatternTexture("wide_by_one", 257, 16, 32, 0, 1, 0x500)});
    const QSize area = Area(window).size();
    struct Case {
        int row;
        int command;
        QSize expected;
    };
    const Case cases[] = {
        {0, command::kViewZoomStandard, {4, 2}},
        {0, command::kViewZoom100, {4, 2}},
        {0, command::kViewZoom800, {32, 16}},
        {0, command::kViewZoomIn, {32, 16}},  // 800 % is the largest
        {0, command::kViewZoomFit, {area.width(), area.width() / 2}},
        {2, command::kViewZoomStandard, {256, 256}},  // only sides past 256 are scaled
        {3, command::kViewZoomStandard, {256, 256}},
        {1, command::kViewZoomStandard, {256, 256}},
        {1, command::kViewZoomIn, {512, 256}},
        {1, command::kViewZoomIn, {1024, 512}},
        {1, command::kViewZoomOut, {512, 256}},
        {1, command::kViewZoomOut, {256, 256}},
        {1, command::kViewZoom400, {2048, 1024}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + " " + std::to_string(c.command));
        window.Show(c.row);
        window.dialog.Dispatch(c.command);
        EXPECT_EQ(PictureSize(window), c.expected);
    }
    // Enlarged texels stay sharp: each shows as a 4 x 4 square of one colour.
    const QImage zoomed = window.Picture();
    const QImage shown = window.dialog.findChild<QLabel*>("picture")->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), shown.pixel(3, 3));
    EXPECT_EQ(shown.pixel(0, 0), zoomed.pixel(0, 0));
    EXPECT_NE(shown.pixel(0, 0), shown.pixel(4, 0));
}

TEST(DesktopTest, AlphaChannelViewAndLevelSelectorShowTheStoredBytes) {
    Window window;
    SampleTexture texture = MakePatternTexture("mips", 16, 8, 32, 0, 3, 0x500);
    texture.hasAlpha = 1;
    window.OpenTextures({texture});
    window.dialog.Dispatch(command::kViewAlphaChannel);
    const std::uint8_t* firstTexel = texture.levels[0].data();
    EXPECT_EQ(window.Picture().pixel(0, 7), qRgb(firstTexel[3], firstTexel[3], firstTexel[3]));

    window.dialog.Dispatch(command::kViewColour);
    auto& levels = *window.dialog.findChild<QComboBox*>("levelSelector");
    ASSERT_EQ(levels.count(), 3);
    EXPECT_EQ(levels.itemText(2), "Level 2: 4 × 2");
    levels.setCurrentIndex(1);
    emit levels.activated(1);
    EXPECT_EQ(window.Picture().size(), QSize(8, 4));
    EXPECT_EQ(window.Picture().pixel(0, 3), Opaque(texture.levels[1].data()));
    EXPECT_EQ(window.dialog.findChild<QLabel*>("statusText")->text(),
              "1 texture, platform 5, version 3.6.0.3 | 32-bit, 16 × 8");
}

TEST(DesktopTest, ShortcutsRunTheirCommands) {
    Window window;
    window.dialog.show();
    QApplication::setActiveWindow(&window.dialog);
    window.OpenTextures({MakePatternTexture("square", 16, 16, 8, 0, 1, 0x2500)});
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    struct Case {
        const char* keys;
        std::function<bool()> done;
    };
    const Case cases[] = {
        {"Ctrl+Z", [&] { return !window.dialog.IsModified(); }},
        {"Ctrl+Shift+Z", [&] { return window.dialog.IsModified(); }},
        {"Ctrl+S", [&] { return window.prompts.messages == QStringList{"File Saved"}; }},
        {"Ctrl++", [&] { return PictureSize(window) == QSize(32, 32); }},
        {"Ctrl+-", [&] { return PictureSize(window) == QSize(16, 16); }},
        {"Ctrl+=", [&] { return PictureSize(window) == QSize(32, 32); }},
        {"Ctrl+0", [&] { return PictureSize(window) == QSize(16, 16); }},
        {"Ctrl+O", [&] { return window.prompts.openRequests.size() == 2; }},
        {"Ctrl+Q", [&] { return !window.dialog.isVisible(); }},
    };
    for (const Case& c : cases) {
        QTest::keySequence(&window.dialog, QKeySequence(c.keys));
        EXPECT_TRUE(c.done()) << c.keys;
    }
}

void Drop(Window& window, const std::string& path, QPoint at) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    // Drops go to the widget that accepted the drag's entry.
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.dialog, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.dialog, &drop);
}

QPoint ItemCentre(Window& window, int row) {
    QListWidget& list = window.List();
    return list.viewport()->mapTo(&window.dialog, list.visualItemRect(list.item(row)).center());
}

TEST(DesktopTest, DroppedDictionaryOpensAndDroppedPictureImportsIntoItsTexture) {
    Window window;
    window.dialog.show();
    window.OpenTextures({MakePatternTexture("blocks", 8, 8, 16, 12, 1, 0x200),
                         MakePatternTexture("indexed", 8, 8, 8, 0, 1, 0x2500)});
    window.Show(1);
    window.dialog.Dispatch(command::kImageExport);
    auto tga = ReadBytes("indexed.tga");
    tga[tga.size() / 2] ^= 0xFF;
    WriteBytes("indexed.tga", tga);
    window.Show(0);

    Drop(window, (window.scratch.path() / "indexed.tga").string(), ItemCentre(window, 1));
    EXPECT_EQ(window.List().currentRow(), 1);
    EXPECT_EQ(window.prompts.messages.back(), "File Imported");
    EXPECT_TRUE(window.dialog.IsModified());

    Drop(window, (window.scratch.path() / "indexed.tga").string(), ItemCentre(window, 0));
    EXPECT_TRUE(window.prompts.errors.back().contains("imported from a DDS file"));
    Drop(window, (window.scratch.path() / "indexed.tga").string(), QPoint(2, 2));
    EXPECT_TRUE(window.prompts.errors.back().contains("Drop a picture on a texture"));

    WriteDictionary("other.txd", {MakePatternTexture("single", 4, 4, 32, 0, 1, 0x500)});
    window.prompts.saveAnswers = {Prompts::SaveChoice::Discard};
    Drop(window, (window.scratch.path() / "other.txd").string(), QPoint(2, 2));
    EXPECT_EQ(window.prompts.saveQuestions, QStringList{"sample.txd"});
    EXPECT_EQ(window.List().count(), 1);
    EXPECT_EQ(window.Field("fileLabel"), "File: other.txd");
}

TEST(DesktopTest, RecentFilesSurviveTheWindowNewestFirst) {
    Window first;
    EditorSettings().remove(EditorSettings::kRecentFiles);
    first.OpenTextures({MakePatternTexture("a", 4, 4, 32, 0, 1, 0x500)}, "first.txd");
    first.OpenTextures({MakePatternTexture("b", 4, 4, 32, 0, 1, 0x500)}, "second.txd");
    first.OpenTextures({MakePatternTexture("a", 4, 4, 32, 0, 1, 0x500)}, "first.txd");
    const std::filesystem::path folder = first.scratch.path();

    Window later;  // as the next run of the program finds its settings
    const QList<QAction*> entries = later.dialog.findChild<QMenu*>("openRecent")->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + QString::fromStdString((folder / "first.txd").string()));
    EXPECT_EQ(entries[1]->text(), "&2 " + QString::fromStdString((folder / "second.txd").string()));
    std::filesystem::remove(folder / "second.txd");
    entries[1]->trigger();
    EXPECT_TRUE(later.prompts.errors.back().contains("second.txd"));
    entries[0]->trigger();
    EXPECT_EQ(later.List().item(0)->text(), "a");

    for (int i = 0; i < 10; ++i) {
        recent_files::Add(QString("/f%1.txd").arg(i));
    }
    EXPECT_EQ(recent_files::Paths().size(), recent_files::kMaxEntries);
    EXPECT_EQ(recent_files::Paths().front(), "/f9.txd");
}

}  // namespace

}  // namespace tinplate
