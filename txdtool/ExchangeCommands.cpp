// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "DictionaryFile.h"
#include "Export.h"
#include "FileError.h"
#include "Import.h"
#include "ImportDialog.h"
#include "Paths.h"
#include "Report.h"

namespace {

// Every named texture, checked before anything is written; all textures when none is named.
std::vector<const TextureEntry*> TexturesToExport(DictionaryFile& dictionary,
                                                  const std::vector<std::string>& names) {
    std::vector<const TextureEntry*> chosen;
    if (names.empty()) {
        for (const TextureEntry& texture : dictionary.textures()) {
            chosen.push_back(&texture);
        }
        return chosen;
    }
    for (const std::string& name : names) {
        const TextureEntry& texture = dictionary.Find(name);
        if (!ExportFileName(texture.name, texture.record)) {
            throw FileError(dictionary.shownName(),
                            TextureAndKind(texture) + " is of a kind with no image file");
        }
        chosen.push_back(&texture);
    }
    return chosen;
}

}  // namespace

int RunExport(const CommandArguments& arguments) {
    DictionaryFile dictionary(arguments.operands[0]);
    const std::vector<std::string> names(arguments.operands.begin() + 1, arguments.operands.end());
    const auto textures = TexturesToExport(dictionary, names);
    const std::filesystem::path folder = arguments.directory.value_or("");
    if (arguments.directory) {
        ChangeDirectory(folder, *arguments.directory);
    }
    GfxBinding gfx;
    for (const TextureEntry* texture : textures) {
        if (ExportTexture(texture->name, texture->record, gfx) == ExportOutcome::Exported) {
            std::cout << (folder / *ExportFileName(texture->name, texture->record)).string()
                      << '\n';
        } else {
            ReportNote(dictionary.shownName(),
                       "skipped " + TextureAndKind(*texture) + ": its kind has no image file");
        }
    }
    return 0;
}

int RunImport(const CommandArguments& arguments) {
    DictionaryFile dictionary(arguments.operands[0], DictionaryFile::Use::Edit);
    TextureEntry& texture = dictionary.Find(arguments.operands[1]);
    const std::string& image = arguments.operands[2];
    if (!ImportDialogFor(texture.name, texture.record)) {
        throw FileError(dictionary.shownName(),
                        TextureAndKind(texture) + " is of a kind that takes no import");
    }
    RequireRegularFile(image);
    // As after the window's file dialog: the chosen file's folder is the current directory and
    // the file is handed over by its bare name.
    const std::filesystem::path chosen = std::filesystem::absolute(image);
    ChangeDirectory(chosen.parent_path(), image);
    const std::string bareName = chosen.filename().string();
    GfxBinding gfx;
    const ImportOutcome outcome =
        ReportingAs(bareName, image, [&] { return ImportTexture(texture.record, bareName, gfx); });
    const auto message = ImportMessageFor(outcome);
    if (!message) {
        throw FileError(dictionary.shownName(), "the image library refused " + image);
    }
    dictionary.Save(gfx);
    std::cout << *message << '\n';
    return 0;
}
