// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of every edit, and the unsaved-changes marker that follows them.
#include <gtest/gtest.h>

#include <QListWidget>

#include "app/CommandTable.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

struct Bytes {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    std::uint32_t hasAlpha;
    bool operator==(const Bytes&) const = default;
};

std::vector<Bytes> AllBytes(Window& window) {
    std::vector<Bytes> all;
    for (int row = 0; row < window.List().count(); ++row) {
        const TextureRecord& r = window.Record(row);
        all.push_back(
            {{r.pixels.begin(), r.pixels.end()}, {r.palette.begin(), r.palette.end()}, r.hasAlpha});
    }
    return all;
}

TEST(UndoTest, EachEditUndoesAndRedoesToTheSameBytesAndMarker) {
    Window window;
    window.OpenTextures({MakePatternTexture("indexed", 16, 16, 8, 0, 1, 0x2500),
                         MakePatternTexture("rgba", 8, 8, 32, 0, 1, 0x500)},
                        "two.txd");
    window.Show(1);
    window.dialog.Dispatch(command::kImageExport);  // rgba.dds, to import back
    auto dds = ReadBytes("rgba.dds");
    dds.back() ^= 0xFF;
    WriteBytes("rgba.dds", dds);

    // The shown picture follows the pixel edits at once; an import shows at the next preview.
    struct Case {
        int command;
        const char* undoText;
        bool redraws;
    };
    const Case cases[] = {
        {command::kImageSwizzleAll, "&Undo Swizzle All", true},
        {command::kImageUnswizzleAll, "&Undo Unswizzle All", true},
        {command::kImageFlip, "&Undo Flip", true},
        {command::kAlphaSetAlphaToYes, "&Undo Set Alpha To Yes", false},
        {command::kImageImport, "&Undo Import", false},
        {command::kAlphaSetAlphaToNo, "&Undo Set Alpha To No", false},
    };
    QAction* undo = nullptr;
    for (QAction* action : window.dialog.findChildren<QAction*>()) {
        undo = action->data().toInt() == command::kEditUndo ? action : undo;
    }
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(window.dialog.windowTitle(), "two.txd[*] — TXD Tinplate v1.03");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.undoText);
        window.dialog.Dispatch(command::kFileSave);
        const std::vector<Bytes> before = AllBytes(window);
        const QImage shown = window.Picture();
        if (c.command == command::kImageImport) {
            window.prompts.openAnswers.push_back(
                QString::fromStdString((window.scratch.path() / "rgba.dds").string()));
        }
        window.dialog.Dispatch(c.command);
        const std::vector<Bytes> after = AllBytes(window);
        ASSERT_NE(after, before);
        EXPECT_TRUE(window.dialog.IsModified());
        EXPECT_TRUE(window.dialog.isWindowModified());
        EXPECT_EQ(undo->text(), c.undoText);
        EXPECT_EQ(window.Picture() != shown, c.redraws);

        window.dialog.Dispatch(command::kEditUndo);
        EXPECT_EQ(AllBytes(window), before);
        EXPECT_EQ(window.Picture(), shown);
        EXPECT_FALSE(window.dialog.IsModified());
        EXPECT_FALSE(window.dialog.isWindowModified());
        window.dialog.Dispatch(command::kEditRedo);
        EXPECT_EQ(AllBytes(window), after);
        EXPECT_TRUE(window.dialog.IsModified());
    }
    EXPECT_TRUE(window.prompts.errors.empty());

    // A command that changes nothing leaves nothing to undo; opening forgets the history.
    window.dialog.Dispatch(command::kFileSave);
    window.dialog.Dispatch(command::kAlphaSetAlphaToNo);
    EXPECT_FALSE(window.dialog.IsModified());
    window.dialog.Dispatch(command::kImageFlip);
    window.prompts.saveAnswers = {Prompts::SaveChoice::Discard};
    window.Open((window.scratch.path() / "two.txd").string());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(window.dialog.IsModified());
}

}  // namespace

}  // namespace tinplate
