// SPDX-License-Identifier: GPL-3.0-or-later
// The window's frame: menus and their commands, Open, and what survives a failed Open.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

std::vector<SampleTexture> ThreeUnsorted() {
    return {MakePatternTexture("zulu", 8, 8, 8, 0, 1, 0x2500),
            MakePatternTexture("alpha", 16, 8, 32, 0, 1, 0x500),
            MakePatternTexture("mike", 4, 4, 16, 12, 1, 0x200)};
}

TEST(WindowTest, MenusCarryTheirCommandIdsAndReachTheirHandlers) {
    Window window;
    QStringList items;
    QList<QAction*> menus = window.dialog.findChild<QMenuBar*>()->actions();
    for (QAction* menu : menus) {
        for (QAction* item : menu->menu()->actions()) {
            if (menu->text() != "&View" && !item->isSeparator() && item->menu() == nullptr) {
                items << QString("%1/%2=%3")
                             .arg(menu->text(), item->text())
                             .arg(item->data().toInt(), 0, 16);
            }
        }
    }
    EXPECT_EQ(items.mid(0, 6),
              QStringList({"&File/&New=8040", "&File/&Open...=8003", "&File/&Browse Folder...=8070",
                           "&File/&Save=8006", "&File/Save &As...=8041", "&File/E&xit=8009"}));
    EXPECT_EQ(
        items.mid(6, 12),
        QStringList({"&Edit/&Undo=8020", "&Edit/&Redo=8021", "&Edit/&Find=8052",
                     "&Image/&Import...=8004", "&Image/&Export=8005", "&Image/Export &As...=8012",
                     "&Image/Import F&rom...=8013", "&Image/&Unswizzle All=8007",
                     "&Image/&Swizzle All=8008", "&Image/&Flip=8011",
                     "&Alpha/Set Alpha To &Yes=800f", "&Alpha/Set Alpha To &No=8010"}));
    EXPECT_EQ(items.mid(18, 2),
              QStringList({"&Texture/&Add From Image...=8042", "&Texture/&Remove=8043"}));
    EXPECT_EQ(items.mid(items.size() - 4),
              QStringList({"&Dictionary/&Check=8060", "&Dictionary/&Platform...=8061",
                           "&Dictionary/&Target...=8062", "&Help/&About TXD Tinplate...=10"}));

    WriteDictionary("three.txd", ThreeUnsorted());
    window.prompts.openAnswers.push_back(
        QString::fromStdString((window.scratch.path() / "three.txd").string()));
    menus[0]->menu()->actions()[1]->trigger();
    EXPECT_EQ(window.List().count(), 3);
    menus[3]->menu()->actions()[0]->trigger();
    EXPECT_EQ(window.Field("Alpha"), "Yes");
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        aboutShown = modal != nullptr && modal->windowTitle() == "About TXD Tinplate";
        if (modal != nullptr) {
            modal->close();
        }
    });
    menus.last()->menu()->actions()[0]->trigger();
    EXPECT_TRUE(aboutShown);
}

TEST(WindowTest, OpenListsTexturesInFileOrderAndShowsTheFirst) {
    Window window;
    window.dialog.show();
    QApplication::setActiveWindow(&window.dialog);
    window.OpenTextures(ThreeUnsorted(), "three.txd");
    QListWidget& list = window.List();
    ASSERT_EQ(list.count(), 3);
    const char* names[] = {"zulu", "alpha", "mike"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.item(i)->text(), names[i]);
    }
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(QApplication::focusWidget(), &list);
    EXPECT_EQ(window.Field("fileLabel"), "File: three.txd");
    EXPECT_EQ(window.Field("imageLabel"), "Image: zulu");
    EXPECT_EQ(window.Field("Width"), "8");
    EXPECT_EQ(QDir::currentPath().toStdString(), window.scratch.path().string());
    EXPECT_EQ(window.prompts.openRequests[0],
              QStringList({"TXD File (*.txd)|*.txd|IMG Archive (*.img *.dir)|*.img *.dir|"
                           "All Files (*.*)|*.*||",
                           ".txd", ""}));
    EXPECT_TRUE(window.prompts.errors.empty());
}

TEST(WindowTest, CancelledOrFailedOpenKeepsTheOpenDictionaryAndItsEdits) {
    Window window;
    window.OpenTextures(ThreeUnsorted(), "three.txd");
    window.Show(1);
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    const QString previousPath = window.dialog.Document().Path();

    auto truncated = BuildDictionary(ThreeUnsorted());
    truncated.resize(truncated.size() / 2);
    std::filesystem::create_directory("elsewhere");
    WriteBytes("elsewhere/broken.txd", truncated);
    window.prompts.saveAnswers = {Prompts::SaveChoice::Discard};
    window.Open((window.scratch.path() / "elsewhere/broken.txd").string());

    EXPECT_EQ(window.prompts.saveQuestions, QStringList({"three.txd"}));
    ASSERT_EQ(window.prompts.errors.size(), 1);
    EXPECT_TRUE(window.prompts.errors[0].contains("broken.txd"));
    EXPECT_TRUE(window.prompts.errors[0].contains("truncated"));
    EXPECT_EQ(window.List().count(), 3);
    EXPECT_EQ(window.List().currentRow(), 1);
    EXPECT_EQ(window.dialog.Document().Path(), previousPath);
    EXPECT_EQ(window.Field("fileLabel"), "File: three.txd");
    EXPECT_EQ(window.Field("Alpha"), "Yes");
    EXPECT_TRUE(window.dialog.IsModified());
    EXPECT_EQ(QDir::currentPath().toStdString(), window.scratch.path().string());

    window.prompts.saveAnswers = {Prompts::SaveChoice::Discard};
    window.prompts.openAnswers.push_back("");
    window.dialog.Dispatch(command::kFileOpen);
    EXPECT_EQ(window.List().count(), 3);
    EXPECT_EQ(window.Field("fileLabel"), "File: three.txd");
    EXPECT_EQ(window.prompts.errors.size(), 1);
    EXPECT_TRUE(window.dialog.IsModified());
}

// Before any Open and with an empty dictionary open, the list is empty.
TEST(WindowTest, EmptyListCommandsDoNothingAndAnEmptyDictionaryEmptiesTheFields) {
    Window window;
    for (int id : {command::kFileSave, command::kImageImport, command::kImageExport,
                   command::kImageSwizzleAll, command::kImageUnswizzleAll, command::kImageFlip,
                   command::kAlphaSetAlphaToYes, command::kAlphaSetAlphaToNo}) {
        window.dialog.Dispatch(id);
    }
    EXPECT_TRUE(window.prompts.messages.empty());
    EXPECT_TRUE(window.prompts.errors.empty());
    EXPECT_TRUE(window.prompts.openRequests.empty());
    EXPECT_FALSE(window.dialog.IsModified());
    EXPECT_FALSE(window.PictureIsEmpty());  // the placeholder stays
    EXPECT_TRUE(window.scratch.Files().empty());

    window.OpenTextures(ThreeUnsorted(), "three.txd");
    window.Open(CopyFixtureHere("empty.txd"));
    EXPECT_EQ(window.List().count(), 0);
    EXPECT_TRUE(window.PictureIsEmpty());
    EXPECT_EQ(window.Field("Width"), "");
    EXPECT_EQ(window.Field("Filter Flags"), "");
    EXPECT_EQ(window.Field("fileLabel"), "File: empty.txd");
    EXPECT_EQ(window.Field("imageLabel"), "");
}

TEST(WindowTest, OnlyExitAndCloseCloseAndTheyAskAboutUnsavedChangesOnly) {
    Window window;
    window.dialog.show();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&window.dialog, &press);
        EXPECT_TRUE(window.dialog.isVisible()) << key;
    }
    window.OpenTextures(ThreeUnsorted(), "three.txd");
    window.dialog.Dispatch(command::kFileExit);
    EXPECT_TRUE(window.prompts.saveQuestions.empty());
    EXPECT_FALSE(window.dialog.isVisible());

    window.dialog.show();
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    window.prompts.saveAnswers = {Prompts::SaveChoice::Cancel};
    window.dialog.Dispatch(command::kFileExit);
    EXPECT_EQ(window.prompts.saveQuestions, QStringList({"three.txd"}));
    EXPECT_TRUE(window.dialog.isVisible());

    window.prompts.saveAnswers = {Prompts::SaveChoice::Save};
    window.dialog.close();
    EXPECT_FALSE(window.dialog.isVisible());
    EXPECT_EQ(window.prompts.messages, QStringList({"File Saved"}));
    EXPECT_FALSE(window.dialog.IsModified());
    EXPECT_EQ(ReadBytes("three.txd")[28 + 100], 1);  // the edit, written
}

TEST(WindowTest, SaveReportsAnErrorThatKeepsTheChanges) {
    Window window;
    window.OpenTextures(ThreeUnsorted(), "three.txd");
    window.dialog.Dispatch(command::kAlphaSetAlphaToYes);
    std::filesystem::remove("three.txd");
    window.dialog.Dispatch(command::kFileSave);
    EXPECT_TRUE(window.prompts.messages.empty());
    ASSERT_EQ(window.prompts.errors.size(), 1);
    EXPECT_TRUE(window.prompts.errors[0].contains("three.txd"));
    EXPECT_TRUE(window.dialog.IsModified());
}

}  // namespace

}  // namespace tinplate
