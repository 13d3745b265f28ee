// SPDX-License-Identifier: GPL-3.0-or-later
#include "Import.h"

#include <filesystem>

#include "ExchangeKind.h"
#include "ExchangeMessages.h"
#include "FileError.h"
#include "FileIo.h"
#include "ImportFrom.h"
#include "ImportedLevel.h"
#include "LibraryArgs.h"
#include "LibraryProduct.h"
#include "MwDds.h"

namespace {

constexpr const char* kImportBitmap = "ImportFile.bmp";
constexpr const char* kImportTarga = "ImportFile.tga";

// The working files are removed before and after the libraries run: a chosen file that is one
// of them would be lost.
void RequireNotWorkingFile(const std::string& chosen, std::initializer_list<const char*> working) {
    for (const char* name : working) {
        std::error_code absent;
        if (std::filesystem::equivalent(chosen, name, absent)) {
            throw FileError(chosen, std::string("it is the import's working file ") + name +
                                        ", which the import replaces; rename it first");
        }
    }
}

ImportOutcome ImportPalettised(TextureRecord& record, const std::string& chosen, GfxBinding& gfx) {
    RequireNotWorkingFile(chosen, {kImportBitmap});
    NameBuffer source(chosen);
    NameBuffer destination(kImportBitmap);
    WorkBlock block;
    WorkingFiles working{kImportBitmap};
    RemoveFileQuietly(kImportBitmap);
    if (gfx._TargaToExtendedBitmap(source.word(), destination.word(), block.word(), 20) == 0) {
        return ImportOutcome::Declined;
    }
    RequireGfxProduct(gfx, "_TargaToExtendedBitmap", kImportBitmap, chosen);
    auto level = TakeFromBitmap(ReadWholeFile(kImportBitmap), kImportBitmap, BitmapLayout{54, 8},
                                record, chosen);
    ApplyImportedLevel(level, record);
    RemakeSmallerLevels(record, DxtQuality::Best);
    return ImportOutcome::Imported;
}

ImportOutcome ImportTrueColour(TextureRecord& record, const std::string& chosen, GfxBinding& gfx) {
    RequireNotWorkingFile(chosen, {kImportBitmap, kImportTarga});
    NameBuffer targa(kImportTarga);
    NameBuffer source(chosen);
    NameBuffer bitmap(kImportBitmap);
    WorkBlock block;
    WorkingFiles working{kImportBitmap, kImportTarga};
    RemoveFileQuietly(kImportTarga);
    if (gfx._TargaFromDDS(targa.word(), source.word(), block.word()) != 0) {
        return ImportOutcome::Declined;
    }
    RequireGfxProduct(gfx, "_TargaFromDDS", kImportTarga, chosen);
    RemoveFileQuietly(kImportBitmap);
    if (TGAcompressBMP(targa.word(), 17, 0, 0, bitmap.word()) != 0) {
        return ImportOutcome::Declined;
    }
    RequireDdsLibraryProduct(kImportBitmap, chosen);
    auto level = TakeFromBitmap(ReadWholeFile(kImportBitmap), kImportBitmap, BitmapLayout{74, 32},
                                record, chosen);
    ApplyImportedLevel(level, record);
    RemakeSmallerLevels(record, DxtQuality::Best);
    return ImportOutcome::Imported;
}

ImportOutcome ImportBlocks(TextureRecord& record, const std::string& chosen) {
    auto level = TakeFromDds(ReadWholeFile(chosen), record, chosen);
    ApplyImportedLevel(level, record);
    RemakeSmallerLevels(record, DxtQuality::Best);
    return ImportOutcome::ImportedBlocks;
}

}  // namespace

std::optional<std::string_view> ImportMessageFor(ImportOutcome outcome) {
    switch (outcome) {
        case ImportOutcome::Imported:
            return kFileImportedMessage;
        case ImportOutcome::ImportedBlocks:
            return kBlocksImportedMessage;
        case ImportOutcome::Declined:
            break;
    }
    return std::nullopt;
}

ImportOutcome ImportTexture(TextureRecord& record, const std::string& chosenFileName,
                            GfxBinding& gfx) {
    switch (ExchangeKindOf(record)) {
        case ExchangeKind::Palettised:
            return ImportPalettised(record, chosenFileName, gfx);
        case ExchangeKind::TrueColour:
            return ImportTrueColour(record, chosenFileName, gfx);
        case ExchangeKind::BlockCompressed:
            return ImportBlocks(record, chosenFileName);
        case ExchangeKind::None:
            break;
    }
    return ImportOutcome::Declined;
}
