// SPDX-License-Identifier: GPL-3.0-or-later
// Export to Targa or DDS through the working files and the image libraries.
#include "exchange/Export.h"

#include "edits/TextureName.h"
#include "exchange/ExchangeKind.h"
#include "exchange/LibraryProduct.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileIo.h"
#include "gfxlib/LibraryArgs.h"
#include "gfxlib/MwDds.h"
#include "workfiles/DdsFile.h"
#include "workfiles/WorkingBitmap.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

// name.bmp through _bmptoanys into name.tga, both in the working folder; the bitmap is removed
// on the way out.
void MakeTarga(const std::string& name, const TextureRecord& record, std::uint16_t bitsPerPixel,
               GfxBinding& gfx) {
    const std::string bitmap = WorkingPath(name + ".bmp");
    const std::string base = WorkingPath(name);
    NameBuffer source(bitmap);
    NameBuffer destination(base);
    WorkBlock block;
    WorkingFiles working{bitmap};
    WritePictureBitmap(bitmap, record, bitsPerPixel);
    RemoveFileQuietly(base + ".tga");
    gfx._bmptoanys(source.word(), destination.word(), block.word(), 24, 0);
    RequireGfxProduct(gfx, "_bmptoanys", base + ".tga", name + ".tga");
}

// The libraries make products in the working folder; the user's folder only ever sees them
// complete.
void Publish(const std::string& made, const std::filesystem::path& product) {
    WriteProductFile(product.string(), {ReadWholeFile(made)});
}

void ExportPalettised(const std::filesystem::path& folder, const std::string& name,
                      const TextureRecord& record, GfxBinding& gfx) {
    const std::string targa = WorkingPath(name + ".tga");
    WorkingFiles working{targa};
    MakeTarga(name, record, 8, gfx);
    Publish(targa, folder / (name + ".tga"));
}

void ExportTrueColour(const std::filesystem::path& folder, const std::string& name,
                      const TextureRecord& record, GfxBinding& gfx) {
    const std::string targa = WorkingPath(name + ".tga");
    const std::string dds = WorkingPath(name + ".dds");
    NameBuffer source(targa);
    NameBuffer destination(dds);
    WorkingFiles working{targa, dds};
    // Whatever step fails, no earlier output is left to pass for this one.
    RemoveFileQuietly(dds);
    MakeTarga(name, record, 32, gfx);
    // Any alpha word but 0 counts as alpha, as everywhere else pictures are made: a word of 2
    // or 65537 must not cost the texels their alpha.
    const std::intptr_t alphaMode = record.hasAlpha != 0 ? 11 : 10;
    TGAtoDDS(source.word(), alphaMode, 0, 0, destination.word());
    RequireDdsLibraryProduct(dds, name + ".dds");
    Publish(dds, folder / (name + ".dds"));
}

void ExportBlocks(const std::filesystem::path& folder, const std::string& name,
                  const TextureRecord& record) {
    const auto header = DdsHeaderFor(record);
    WriteProductFile((folder / (name + ".dds")).string(), {header, record.pixels});
}

}  // namespace

std::optional<std::string> ExportFileName(const std::string& name, const TextureRecord& record) {
    switch (ExchangeKindOf(record)) {
        case ExchangeKind::Palettised:
            return name + ".tga";
        case ExchangeKind::TrueColour:
        case ExchangeKind::BlockCompressed:
            return name + ".dds";
        case ExchangeKind::None:
            break;
    }
    return std::nullopt;
}

ExportOutcome ExportTexture(const std::filesystem::path& folder, const std::string& name,
                            const TextureRecord& record, GfxBinding& gfx) {
    const ExchangeKind kind = ExchangeKindOf(record);
    if (kind == ExchangeKind::None) {
        return ExportOutcome::NotExportable;
    }
    RequireSafeTextureName(name);
    switch (kind) {
        case ExchangeKind::Palettised:
            ExportPalettised(folder, name, record, gfx);
            break;
        case ExchangeKind::TrueColour:
            ExportTrueColour(folder, name, record, gfx);
            break;
        case ExchangeKind::BlockCompressed:
            ExportBlocks(folder, name, record);
            break;
        case ExchangeKind::None:
            break;
    }
    return ExportOutcome::Exported;
}

}  // namespace tinplate
