// SPDX-License-Identifier: GPL-3.0-or-later
#include "Preview.h"

#include "DdsFile.h"
#include "FileIo.h"
#include "LibraryArgs.h"
#include "WorkingBitmap.h"

namespace {

constexpr const char* kTempBitmap = "Temp.bmp";
constexpr const char* kTempDds = "Temp.dds";

PreviewPicture LoadWorkingBitmap(const TextureRecord& record, GfxBinding& gfx) {
    if (record.width > kPreviewSide || record.height > kPreviewSide) {
        NameBuffer bitmap(kTempBitmap);
        WorkBlock block;
        gfx._bmpresize(bitmap.word(), bitmap.word(), block.word(), kPreviewSide, kPreviewSide);
    }
    PreviewPicture picture;
    if (auto image = LoadBitmapImage(kTempBitmap)) {
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
        WorkingFiles cleanup{kTempBitmap};
        WriteWorkingBitmap(kTempBitmap, record, static_cast<std::uint16_t>(record.depth));
        return LoadWorkingBitmap(record, gfx);
    }
    if (IsBlockCompressed(record)) {
        WorkingFiles cleanup{kTempBitmap, kTempDds};
        // A bitmap left by an earlier run must not stand in for one the library failed to make.
        RemoveFileQuietly(kTempBitmap);
        WriteDdsFile(kTempDds, record);
        NameBuffer source(kTempDds);
        NameBuffer destination(kTempBitmap);
        WorkBlock block;
        gfx._anytobmps(source.word(), destination.word(), block.word(), 0, 0);
        return LoadWorkingBitmap(record, gfx);
    }
    return {};
}
