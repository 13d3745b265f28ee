// SPDX-License-Identifier: GPL-3.0-or-later
// The export and import commands.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "edits/TextureName.h"
#include "exchange/ExchangeRoute.h"
#include "exchange/Export.h"
#include "exchange/ExportAs.h"
#include "exchange/Import.h"
#include "exchange/ImportDialog.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "fileio/PrintableText.h"
#include "txd/TextureKinds.h"
#include "txdtool/Batch.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Paths.h"
#include "txdtool/PictureImport.h"
#include "txdtool/Products.h"
#include "txdtool/Report.h"

namespace tinplate {

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
        if (!ExportFileName(texture.name, texture.record) && !HasPicture(texture.record)) {
            throw FileError(dictionary.shownName(),
                            TextureAndKind(texture) + " is of a kind that makes no picture");
        }
        chosen.push_back(&texture);
    }
    return chosen;
}

// The image library makes no file of the 16-bit and 24-bit kinds: those go out as DDS of
// their own kind, as export --format=dds writes them, so an export of everything misses none.
void ExportKindAsDds(const DictionaryFile& dictionary, const TextureEntry& texture,
                     const std::filesystem::path& folder) {
    RequireSafeTextureName(texture.name);
    const std::string product = (folder / (texture.name + ".dds")).string();
    WritingProduct(product, [&] { ExportTextureAs(texture.record, product, PictureFormat::Dds); });
    ReportProduct(product);
    ReportNote(dictionary.shownName(), TextureAndKind(texture) +
                                           " written as DDS of its own kind (as --format=dds "
                                           "does): the image library makes no file of it");
}

}  // namespace

int RunExport(const CommandArguments& arguments) {
    DictionaryFile dictionary(arguments.operands[0]);
    const std::vector<std::string> names(arguments.operands.begin() + 1, arguments.operands.end());
    const auto textures = TexturesToExport(dictionary, names);
    RequireProducts(dictionary,
                    std::ranges::count_if(textures,
                                          [](const TextureEntry* texture) {
                                              return ExportFileName(texture->name,
                                                                    texture->record) ||
                                                     HasPicture(texture->record);
                                          }),
                    "a picture");
    const std::filesystem::path folder = ProductFolder(arguments.directory);
    GfxBinding gfx;
    for (const TextureEntry* texture : textures) {
        if (!ExportFileName(texture->name, texture->record) && HasPicture(texture->record)) {
            ExportKindAsDds(dictionary, *texture, folder);
            continue;
        }
        const std::string product =
            (folder / ExportFileName(texture->name, texture->record).value_or("")).string();
        ExportOutcome outcome = ExportOutcome::NotExportable;
        WritingProduct(product, [&] {
            outcome = ReportingAs(product, product, [&] {
                return ExportTexture(folder, texture->name, texture->record, gfx);
            });
        });
        if (outcome == ExportOutcome::Exported) {
            ReportProduct(product);
        } else {
            ReportNote(dictionary.shownName(),
                       "skipped " + TextureAndKind(*texture) + ": its kind makes no picture");
        }
    }
    return 0;
}

namespace {

// The image libraries answer a refusal with a status only; what each was asked tells why.
std::string RefusalReason(const TextureRecord& record, GfxBinding& gfx) {
    const bool palettised = IsPalettised(KindOf(record));
    if (!gfx.HasEntryPoint(palettised ? "_TargaToExtendedBitmap" : "_TargaFromDDS")) {
        return "libmwgfx.so is not available";
    }
    return palettised ? "it is not a colour-mapped 8-bit Targa file it can read"
                      : "it is not an uncompressed 32-bit DDS file it can read";
}

std::string Levels(std::int16_t count) {
    return std::to_string(count) + (count == 1 ? " level" : " levels");
}

// The image libraries open the file by the name the user gave, from the current directory.
void ImportThroughLibraries(DictionaryFile& dictionary, TextureEntry& texture,
                            const std::string& image, GfxBinding& gfx) {
    if (!ImportDialogFor(texture.name, texture.record)) {
        throw FileError(dictionary.shownName(),
                        TextureAndKind(texture) + " is of a kind that takes no import");
    }
    const ImportOutcome outcome =
        ReportingAs(image, image, [&] { return ImportTexture(texture.record, image, gfx); });
    if (!ImportMessageFor(outcome)) {
        throw FileError(dictionary.shownName(), "the image library refused " + image + ": " +
                                                    RefusalReason(texture.record, gfx));
    }
}

// A file of the kind Image > Import takes goes in as the window takes it, unless a conversion
// option asks for the converters; any other picture is converted into the texture's kind.
Edited ImportInto(DictionaryFile& dictionary, GfxBinding& gfx, const std::string& name,
                  const std::string& image, const CommandArguments& arguments) {
    TextureEntry& texture = dictionary.Find(name);
    RequireRegularFile(image);
    const bool converting = arguments.noDither || arguments.fastDxt;
    if (!converting && IsImportFileAsTaken(texture.record, ReadWholeFile(image))) {
        ImportThroughLibraries(dictionary, texture, image, gfx);
    } else {
        ImportPicture(dictionary, texture, image, arguments);
    }
    const TextureRecord& record = texture.record;
    return {true,
            {PrintableText(texture.name) + ": imported from " + PrintableText(image) + " (" +
             std::string(KindDescription(record)) + ", " + std::to_string(record.width) +
             " \u00d7 " + std::to_string(record.height) + ", " + Levels(record.mipCount) + ")"}};
}

}  // namespace

// Either FILE.txd NAME IMAGE, or -n NAME IMAGE FILE.txd... to put one image into the texture
// of that name in each dictionary.
int RunImport(const CommandArguments& arguments) {
    const auto& operands = arguments.operands;
    if (arguments.names.size() > 1) {
        throw UsageError("import takes one texture name");
    }
    if (arguments.names.empty() && operands.size() != 3) {
        throw UsageError(std::string(operands.size() < 3 ? "too few" : "too many") +
                         " arguments for import");
    }
    if (!arguments.names.empty() && operands.size() < 2) {
        throw UsageError("too few arguments for import");
    }
    const bool olderForm = arguments.names.empty();
    const std::string& name = olderForm ? operands[1] : arguments.names[0];
    const std::string& image = olderForm ? operands[2] : operands[0];
    const std::vector<std::string> files =
        olderForm ? std::vector<std::string>{operands[0]}
                  : std::vector<std::string>(operands.begin() + 1, operands.end());
    return EditEachDictionary("import", files, [&](DictionaryFile& dictionary, GfxBinding& gfx) {
        return ImportInto(dictionary, gfx, name, image, arguments);
    });
}

}  // namespace tinplate
