// SPDX-License-Identifier: GPL-3.0-or-later
// Import from Targa or DDS through the working files and the image libraries.
#include "exchange/Import.h"

#include "exchange/DdsLevels.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/ExchangeRoute.h"
#include "exchange/ImportFrom.h"
#include "exchange/ImportedLevel.h"
#include "exchange/LibraryProduct.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "gfxlib/LibraryArgs.h"
#include "gfxlib/MwDds.h"
#include "txd/GameLevels.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

constexpr const char* kImportBitmap = "ImportFile.bmp";
constexpr const char* kImportTarga = "ImportFile.tga";

// The smaller levels follow the new first level: kept when the first level and palette come
// back as they were (they may be the author's own, which no resize makes again), else made
// again from it. A DDS that holds every level in the texture's kind and says so (as Export As
// writes it, and image editors that keep mip maps) holds them as the game draws them: every
// level is taken from it, the first one included, so that its rows land in the texture's order.
void TakeLevels(ImportedLevel& level, TextureRecord& record,
                std::optional<StoredLevels> game = std::nullopt) {
    const bool unchanged = level.pixels == record.pixels && level.palette == record.palette;
    ApplyImportedLevel(level, record);
    if (game) {
        StoreGameLevels(record, GamePaletteOf(record), game->first, game->smaller);
    } else if (!unchanged) {
        RemakeSmallerLevels(record, DxtQuality::Best);
    }
}

ImportOutcome ImportPalettised(TextureRecord& record, const std::string& chosen, GfxBinding& gfx) {
    const std::string bitmap = WorkingPath(kImportBitmap);
    NameBuffer source(chosen);
    NameBuffer destination(bitmap);
    WorkBlock block;
    WorkingFiles working{bitmap};
    RemoveFileQuietly(bitmap);
    if (gfx._TargaToExtendedBitmap(source.word(), destination.word(), block.word(), 20) == 0) {
        return ImportOutcome::Declined;
    }
    RequireGfxProduct(gfx, "_TargaToExtendedBitmap", bitmap, chosen);
    auto level =
        TakeFromBitmap(ReadWholeFile(bitmap), kImportBitmap, BitmapLayout{54, 8}, record, chosen);
    TakeLevels(level, record);
    return ImportOutcome::Imported;
}

ImportOutcome ImportTrueColour(TextureRecord& record, const std::string& chosen, GfxBinding& gfx) {
    const std::string targaPath = WorkingPath(kImportTarga);
    const std::string bitmapPath = WorkingPath(kImportBitmap);
    NameBuffer targa(targaPath);
    NameBuffer source(chosen);
    NameBuffer bitmap(bitmapPath);
    WorkBlock block;
    WorkingFiles working{bitmapPath, targaPath};
    RemoveFileQuietly(targaPath);
    if (gfx._TargaFromDDS(targa.word(), source.word(), block.word()) != 0) {
        return ImportOutcome::Declined;
    }
    RequireGfxProduct(gfx, "_TargaFromDDS", targaPath, chosen);
    RemoveFileQuietly(bitmapPath);
    if (TGAcompressBMP(targa.word(), 17, 0, 0, bitmap.word()) != 0) {
        return ImportOutcome::Declined;
    }
    RequireDdsLibraryProduct(bitmapPath, chosen);
    auto level = TakeFromBitmap(ReadWholeFile(bitmapPath), kImportBitmap, BitmapLayout{74, 32},
                                record, chosen);
    TakeLevels(level, record, CountedGameLevelsInDds(ReadWholeFile(chosen), record));
    return ImportOutcome::Imported;
}

ImportOutcome ImportBlocks(TextureRecord& record, const std::string& chosen) {
    const std::vector<std::uint8_t> dds = ReadWholeFile(chosen);
    auto level = TakeFromDds(dds, record, chosen);
    TakeLevels(level, record, CountedGameLevelsInDds(dds, record));
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
    const TextureKind kind = KindOf(record);
    if (!TradesWithLibraries(kind)) {
        return ImportOutcome::Declined;
    }
    if (IsPalettised(kind)) {
        return ImportPalettised(record, chosenFileName, gfx);
    }
    if (IsBlockCompressed(kind)) {
        return ImportBlocks(record, chosenFileName);
    }
    return ImportTrueColour(record, chosenFileName, gfx);
}

}  // namespace tinplate
