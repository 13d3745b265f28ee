// SPDX-License-Identifier: GPL-3.0-or-later
// The document behind the window: what each change tells its views, and the export folder.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>

#include "app/TextureDocument.h"
#include "fileio/FileError.h"
#include "pixelops/AlphaFlag.h"
#include "tests/app/GuiHarness.h"

namespace tinplate {

namespace {

QString Here(const std::string& name = {}) {
    const std::filesystem::path here = std::filesystem::current_path();
    return QString::fromStdString((name.empty() ? here : here / name).string());
}

// Every change names itself once on the signals views follow; a failed Open names nothing.
TEST(DocumentTest, EachChangeEmitsItsSignalsAndAFailedOpenNone) {
    ScratchDir scratch;
    WriteDictionary("two.txd", {MakePatternTexture("a", 8, 8, 32, 0, 1, 0x500),
                                MakePatternTexture("b", 4, 4, 32, 0, 1, 0x500)});
    WriteBytes("broken.txd", std::vector<std::uint8_t>{1, 2, 3});
    std::filesystem::create_directory("copies");
    TextureDocument document;
    QSignalSpy opened(&document, &TextureDocument::opened);
    QSignalSpy file(&document, &TextureDocument::fileChanged);
    QSignalSpy replaced(&document, &TextureDocument::texturesReplaced);
    QSignalSpy changed(&document, &TextureDocument::textureChanged);
    QSignalSpy modified(&document, &TextureDocument::modifiedChanged);
    const auto counts = [&] {
        std::vector<qsizetype> all{opened.count(), file.count(), replaced.count(), changed.count(),
                                   modified.count()};
        for (QSignalSpy* spy : {&opened, &file, &replaced, &changed, &modified}) {
            spy->clear();
        }
        return all;
    };
    const auto alphaOfB = [&] { SetAlpha(document.RecordAt(1), true); };
    const auto removeA = [](TextureDocument::TextureList& textures, int) -> std::optional<int> {
        textures.erase(textures.begin());
        return 0;
    };
    struct Step {
        const char* what;
        std::function<void()> run;
        std::vector<qsizetype> emitted;  // opened, file, replaced, changed, modified
    };
    const Step steps[] = {
        {"open", [&] { document.Open("two.txd"); }, {1, 1, 1, 0, 0}},
        {"failed open",
         [&] { EXPECT_THROW(document.Open("broken.txd"), FileError); },
         {0, 0, 0, 0, 0}},
        {"record edit", [&] { document.EditRecords("Alpha", {1}, alphaOfB); }, {0, 0, 0, 1, 1}},
        {"edit changing nothing",
         [&] { document.EditRecords("Alpha", {1}, alphaOfB); },
         {0, 0, 0, 0, 0}},
        {"undo", [&] { document.UndoStack().undo(); }, {0, 0, 0, 1, 1}},
        {"redo", [&] { document.UndoStack().redo(); }, {0, 0, 0, 1, 1}},
        {"list edit", [&] { document.EditList("Remove", 1, removeA); }, {0, 0, 1, 0, 0}},
        {"save as", [&] { document.SaveAs("copies/one.txd"); }, {0, 1, 0, 0, 1}},
        {"new", [&] { document.New(); }, {1, 1, 1, 0, 0}},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(counts(), step.emitted) << step.what;
    }
    EXPECT_TRUE(document.IsUntitled());
    EXPECT_EQ(document.FileName(), "Untitled.txd");
    EXPECT_EQ(document.Folder(), Here("copies"));
}

// Open and Save As take the export folder to their file's folder; a failed Open leaves it.
TEST(DocumentTest, ExportFolderFollowsTheFileLastChosen) {
    ScratchDir scratch;
    std::filesystem::create_directory("elsewhere");
    WriteDictionary("elsewhere/d.txd", {MakePatternTexture("t", 8, 8, 32, 0, 1, 0x500)});
    TextureDocument document;
    EXPECT_EQ(document.Folder(), "");
    document.Open("elsewhere/d.txd");
    EXPECT_EQ(document.Folder(), Here("elsewhere"));
    EXPECT_EQ(document.Path(), Here("elsewhere/d.txd"));
    EXPECT_THROW(document.Open("missing.txd"), FileError);
    EXPECT_EQ(document.Folder(), Here("elsewhere"));
    document.SaveAs("copy.txd");
    EXPECT_EQ(document.Folder(), Here());
}

}  // namespace

}  // namespace tinplate
