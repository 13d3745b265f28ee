// SPDX-License-Identifier: GPL-3.0-or-later
#include "Export.h"

#include "DdsFile.h"
#include "ExchangeKind.h"
#include "FileIo.h"
#include "LibraryArgs.h"
#include "LibraryProduct.h"
#include "MwDds.h"
#include "SafeName.h"
#include "WorkingBitmap.h"

namespace {

// name.bmp through _bmptoanys into name.tga; the bitmap is removed on the way out.
void MakeTarga(const std::string& name, const TextureRecord& record, std::uint16_t bitsPerPixel,
               GfxBinding& gfx) {
    const std::string bitmap = name + ".bmp";
    const std::string targa = name + ".tga";
    NameBuffer source(bitmap);
    NameBuffer base(name);
    WorkBlock block;
    WorkingFiles working{bitmap};
    WriteWorkingBitmap(bitmap, record, bitsPerPixel);
    RemoveFileQuietly(targa);
    gfx._bmptoanys(source.word(), base.word(), block.word(), 24, 0);
    RequireGfxProduct(gfx, "_bmptoanys", targa, targa);
}

void ExportTrueColour(const std::string& name, const TextureRecord& record, GfxBinding& gfx) {
    const std::string targa = name + ".tga";
    const std::string dds = name + ".dds";
    NameBuffer source(targa);
    NameBuffer destination(dds);
    WorkingFiles working{targa};
    // Whatever step fails, no earlier product is left to pass for this one.
    RemoveFileQuietly(dds);
    MakeTarga(name, record, 32, gfx);
    const std::intptr_t alphaMode = record.hasAlpha == 1 ? 11 : 10;
    TGAtoDDS(source.word(), alphaMode, 0, 0, destination.word());
    RequireDdsLibraryProduct(dds, dds);
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

ExportOutcome ExportTexture(const std::string& name, const TextureRecord& record, GfxBinding& gfx) {
    const ExchangeKind kind = ExchangeKindOf(record);
    if (kind == ExchangeKind::None) {
        return ExportOutcome::NotExportable;
    }
    RequireSafeTextureName(name);
    switch (kind) {
        case ExchangeKind::Palettised:
            MakeTarga(name, record, 8, gfx);
            break;
        case ExchangeKind::TrueColour:
            ExportTrueColour(name, record, gfx);
            break;
        case ExchangeKind::BlockCompressed:
            WriteDdsFile(name + ".dds", record);
            break;
        case ExchangeKind::None:
            break;
    }
    return ExportOutcome::Exported;
}
