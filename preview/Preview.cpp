// SPDX-License-Identifier: GPL-3.0-or-later
// The preview of a texture through its DDS or bitmap working file.
#include "preview/Preview.h"

#include "fileio/FileIo.h"
#include "gfxlib/LibraryArgs.h"
#include "txd/TextureKinds.h"
#include "workfiles/DdsFile.h"
#include "workfiles/WorkingBitmap.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

constexpr const char* kTempBitmap = "Temp.bmp";
constexpr const char* kTempDds = "Temp.dds";

PreviewPicture LoadWorkingBitmap(const TextureRecord& record, const std::string& bitmapPath,
                                 GfxBinding& gfx) {
    if (record.width > kPreviewSide || record.height > kPreviewSide) {
        NameBuffer bitmap(bitmapPath);
        WorkBlock block;
        gfx._bmpresize(bitmap.word(), bitmap.word(), block.word(), kPreviewSide, kPreviewSide);
    }
    PreviewPicture picture;
    if (auto image = LoadBitmapImage(bitmapPath)) {
        picture.change = PreviewPicture::Change::Show;
        picture.image = std::move(*image);
    } else {
        picture.change = PreviewPicture::Change::Clear;
    }
    return picture;
}

}  // namespace

PreviewPicture RenderPreview(const TextureRecord& record, GfxBinding& gfx) {
    if (record.compression == compression::kNone && (record.depth == 8 || record.depth == 32)) {
        const std::string bitmap = WorkingPath(kTempBitmap);
        WorkingFiles cleanup{bitmap};
        WritePictureBitmap(bitmap, record, static_cast<std::uint16_t>(record.depth));
        return LoadWorkingBitmap(record, bitmap, gfx);
    }
    if (IsBlockCompressed(record)) {
        const std::string bitmap = WorkingPath(kTempBitmap);
        const std::string dds = WorkingPath(kTempDds);
        WorkingFiles cleanup{bitmap, dds};
        // A bitmap left by an earlier preview must not stand in for one the library failed to
        // make.
        RemoveFileQuietly(bitmap);
        WriteDdsFile(dds, record);
        NameBuffer source(dds);
        NameBuffer destination(bitmap);
        WorkBlock block;
        gfx._anytobmps(source.word(), destination.word(), block.word(), 0, 0);
        return LoadWorkingBitmap(record, bitmap, gfx);
    }
    return {};
}

}  // namespace tinplate
