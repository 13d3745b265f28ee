// SPDX-License-Identifier: GPL-3.0-or-later
// The Texture menu, File > New and File > Save As, each through its menu entry.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <numeric>

#include "app/CommandTable.h"
#include "exchange/PictureFile.h"
#include "tests/app/GuiHarness.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

class MenuPrompts : public FakePrompts {
public:
    int ChooseItem(QWidget*, const QString&, const QStringList&, int, const QString&) override {
        return item;
    }
    std::optional<QSize> ChooseSize(QWidget*, const QList<int>&, QSize) override { return size; }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return saveAs; }

    int item = 0;
    std::optional<QSize> size;
    QString saveAs;
};

struct MenuWindow {
    ScratchDir scratch;
    MenuPrompts prompts;
    GfxBinding gfx{"mwgfx"};
    MainDialog dialog{prompts, gfx};

    MenuWindow() {
        WriteDictionary("d.txd", {MakePatternTexture("first", 8, 8, 32, 0, 4, 0x8500),
                                  MakePatternTexture("second", 4, 4, 8, 0, 1, 0x2500),
                                  MakePatternTexture("third", 8, 4, 16, 12, 1, 0x0200)});
        // A 16 x 8 picture of 256 shades of grey and colour.
        std::vector<std::uint8_t> rgba(16 * 8 * 4);
        std::iota(rgba.begin(), rgba.end(), std::uint8_t{0});
        WriteBytes("pic.png", EncodePictureFile(PictureFormat::Png, {16, 8, rgba}));
        prompts.openAnswers.push_back((scratch.path() / "d.txd").c_str());
        Trigger(command::kFileOpen);
    }
    void Trigger(int id) {
        for (QAction* action : dialog.findChildren<QAction*>()) {
            if (action->data().toInt() == id) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no menu entry " << id;
    }
    QListWidget& List() { return *dialog.findChild<QListWidget*>("textureList"); }
    std::string Names() {
        QStringList names;
        for (int i = 0; i < List().count(); ++i) {
            names << List().item(i)->text();
        }
        return names.join(' ').toStdString();
    }
    QString Field(const char* name) { return dialog.findChild<QLabel*>(name)->text(); }
};

TEST(TextureMenu, EveryCommandChangesListFieldsAndModifiedFlagAndUndoesItself) {
    struct Case {
        const char* what;
        int row;
        int id;
        std::function<void(MenuWindow&)> answer;
        std::string names;
        int selected;
        std::string fields;  // Width, Height, MipMaps, Bpp of the selected texture
    };
    const auto picture = [](MenuWindow& w) { w.prompts.openAnswers.push_back("pic.png"); };
    // clang-format off
    const Case cases[] = {
        {"add", 0, command::kTextureAdd, [&](MenuWindow& w) { picture(w), w.prompts.item = 3; },
         "first second third pic", 3, "16 8 0 16"},
        {"remove", 1, command::kTextureRemove, nullptr, "first third", 1, "8 4 0 16"},
        {"replace", 1, command::kTextureReplace, picture, "first second third", 1, "16 8 0 8"},
        {"change kind", 0, command::kTextureChangeKind, [](MenuWindow& w) { w.prompts.item = 5; },
         "first second third", 0, "8 8 3 16"},
        {"resize", 0, command::kTextureResize, [](MenuWindow& w) { w.prompts.size = QSize(32, 2); },
         "first second third", 0, "32 2 5 32"},
        {"make levels", 2, command::kTextureMakeLevels, nullptr, "first second third", 2, "8 4 3 16"},
        {"remove levels", 0, command::kTextureRemoveLevels, nullptr, "first second third", 0,
         "8 8 0 32"},
        {"move up", 2, command::kTextureMoveUp, nullptr, "first third second", 1, "8 4 0 16"},
        {"move down", 0, command::kTextureMoveDown, nullptr, "second first third", 1, "8 8 3 32"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuWindow w;
        w.List().setCurrentRow(c.row);
        if (c.answer) {
            c.answer(w);
        }
        const std::string before = w.Names();
        w.Trigger(c.id);
        EXPECT_TRUE(w.prompts.errors.empty()) << w.prompts.errors.join("\n").toStdString();
        EXPECT_EQ(w.Names(), c.names);
        EXPECT_EQ(w.List().currentRow(), c.selected);
        const QStringList fields = {w.Field("Width"), w.Field("Height"), w.Field("MipMaps"),
                                    w.Field("Bpp")};
        EXPECT_EQ(fields.join(' ').toStdString(), c.fields);
        EXPECT_TRUE(w.dialog.IsModified());
        w.Trigger(command::kEditUndo);
        EXPECT_EQ(w.Names(), before);
        EXPECT_FALSE(w.dialog.IsModified());
        w.Trigger(command::kEditRedo);
        EXPECT_EQ(w.Names(), c.names);
        // Saved whole, the file reads back as the window shows it.
        w.Trigger(command::kFileSave);
        const auto saved = ReadDictionary("d.txd");
        ASSERT_GT(saved.size(), static_cast<std::size_t>(c.selected));
        EXPECT_EQ(std::to_string(saved[static_cast<std::size_t>(c.selected)].record.width),
                  fields[0].toStdString());
        EXPECT_FALSE(w.dialog.IsModified());
    }
}

TEST(TextureMenu, RenameInTheListRefusesATakenNameAndTakesAFreeOne) {
    MenuWindow w;
    for (const auto& [typed, names] : {std::pair{"SECOND", "first second third"},
                                       std::pair{"renamed", "renamed second third"}}) {
        w.List().setCurrentRow(0);
        w.Trigger(command::kTextureRename);
        auto* editor = w.List().viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(typed);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands the name over, then the window renames: two rounds of events.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(w.Names(), names);
    }
    EXPECT_EQ(w.prompts.errors.size(), 1u);
    EXPECT_TRUE(w.dialog.IsModified());
}

TEST(TextureMenu, WhatThePlatformCannotHoldIsMadeOnlyWhenAskedAnyway) {
    MenuWindow w;
    WriteBytes("odd.png", EncodePictureFile(PictureFormat::Png,
                                            {100, 60, std::vector<std::uint8_t>(100 * 60 * 4)}));
    for (const bool anyway : {false, true}) {
        w.prompts.anywayAnswer = anyway;
        w.prompts.openAnswers.push_back("odd.png");
        w.prompts.item = 2;  // rgba32
        w.Trigger(command::kTextureAdd);
        EXPECT_EQ(w.Names(), anyway ? "first second third odd" : "first second third");
    }
    ASSERT_EQ(w.prompts.anywayQuestions.size(), 2u);
    EXPECT_TRUE(w.prompts.anywayQuestions[0].contains("power"))
        << w.prompts.anywayQuestions[0].toStdString();
    EXPECT_TRUE(w.prompts.errors.empty());
}

TEST(TextureMenu, NewDictionaryIsSavedAsAndAnUneditedSaveAsIsACopy) {
    MenuWindow w;
    w.prompts.saveAs = (w.scratch.path() / "copy.txd").c_str();
    w.Trigger(command::kFileSaveAs);
    EXPECT_EQ(ReadBytes("copy.txd"), ReadBytes("d.txd"));

    w.Trigger(command::kFileNew);
    EXPECT_TRUE(w.Names().empty());
    w.prompts.openAnswers.push_back("pic.png");
    w.prompts.item = 1;
    w.Trigger(command::kTextureAdd);
    w.prompts.saveAs = (w.scratch.path() / "new.txd").c_str();
    w.Trigger(command::kFileSave);
    const auto saved = ReadDictionary("new.txd");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].name, "pic");
    EXPECT_EQ(saved[0].record.paletteSize, 128u);
    EXPECT_FALSE(w.dialog.IsModified());
}

}  // namespace

}  // namespace tinplate
