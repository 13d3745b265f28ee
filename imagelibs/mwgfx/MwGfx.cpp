// SPDX-License-Identifier: GPL-3.0-or-later
// The run-time image library "mwgfx": conversions between bitmaps, Targa and DDS.
#pragma GCC visibility push(default)
#include "imagelibs/mwgfx/MwGfx.h"
#pragma GCC visibility pop

#include "imagelibs/common/BitmapFormat.h"
#include "imagelibs/common/DdsFormat.h"
#include "imagelibs/common/EntryGuard.h"
#include "imagelibs/common/LibraryFiles.h"
#include "imagelibs/common/TargaFormat.h"
#include "imagelibs/mwgfx/BoxResize.h"
#include "imagelibs/mwgfx/DxtBitmap.h"

namespace tinplate {

namespace {

using Parser = std::optional<Picture> (*)(std::span<const std::uint8_t>);

std::optional<Picture> ReadPicture(std::intptr_t nameWord, Parser parse) {
    const auto name = NameFromWord(nameWord);
    if (!name) {
        return std::nullopt;
    }
    const auto bytes = ReadInputFile(*name);
    if (!bytes) {
        return std::nullopt;
    }
    return parse(*bytes);
}

bool WritePicture(const std::string& name, const std::optional<EncodedFile>& file) {
    return file && WriteOutputFile(name, *file);
}

bool DdsToBitmap(std::intptr_t src, std::intptr_t dst) {
    const auto name = NameFromWord(dst);
    const auto sourceName = NameFromWord(src);
    const auto bytes = sourceName ? ReadInputFile(*sourceName) : std::nullopt;
    if (!name || !bytes) {
        return false;
    }
    if (const auto blocks = ViewDxt(*bytes)) {
        return WriteDxtAsBitmap(*name, *blocks);
    }
    auto picture = ParseDds(*bytes);
    return picture && WritePicture(*name, EncodeBitmap(std::move(*picture)));
}

bool ResizeBitmap(std::intptr_t src, std::intptr_t dst, std::intptr_t width, std::intptr_t height) {
    const auto name = NameFromWord(dst);
    if (!name || width < 0 || height < 0 || !FitsDecodedLimit(width, height)) {
        return false;
    }
    const auto sourceName = NameFromWord(src);
    const auto bytes = sourceName ? ReadInputFile(*sourceName) : std::nullopt;
    const auto source = bytes ? ViewBitmap(*bytes) : std::nullopt;
    if (!source) {
        return false;
    }
    auto resized =
        BoxResize(*source, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    return resized && WritePicture(*name, EncodeBitmap(std::move(*resized)));
}

bool BitmapToTarga(std::intptr_t src, std::intptr_t dstBase) {
    const auto base = NameFromWord(dstBase);
    auto picture = ReadPicture(src, ParseBitmap);
    return base && picture && WritePicture(*base + ".tga", EncodeTarga(std::move(*picture)));
}

bool DdsToTarga(std::intptr_t dst, std::intptr_t src) {
    const auto name = NameFromWord(dst);
    auto picture = ReadPicture(src, ParseDds);
    return name && picture && WritePicture(*name, EncodeTarga(std::move(*picture)));
}

bool ColourMappedTargaToBitmap(std::intptr_t src, std::intptr_t dst) {
    const auto name = NameFromWord(dst);
    auto picture = ReadPicture(src, ParseTarga);
    return name && picture && picture->bitsPerPixel == 8 &&
           WritePicture(*name, EncodeBitmap(std::move(*picture)));
}

}  // namespace

}  // namespace tinplate

// The entry points are the libraries' C interface, outside the namespace.
std::intptr_t _anytobmps(std::intptr_t src, std::intptr_t dst, std::intptr_t, std::intptr_t,
                         std::intptr_t) {
    return tinplate::RunGuarded([&] { return tinplate::DdsToBitmap(src, dst); }) ? 1 : 0;
}

void _bmpresize(std::intptr_t src, std::intptr_t dst, std::intptr_t, std::intptr_t width,
                std::intptr_t height) {
    tinplate::RunGuarded([&] { return tinplate::ResizeBitmap(src, dst, width, height); });
}

std::intptr_t _bmptoanys(std::intptr_t src, std::intptr_t dstBase, std::intptr_t, std::intptr_t,
                         std::intptr_t) {
    return tinplate::RunGuarded([&] { return tinplate::BitmapToTarga(src, dstBase); }) ? 1 : 0;
}

std::intptr_t _TargaFromDDS(std::intptr_t dst, std::intptr_t src, std::intptr_t) {
    return tinplate::RunGuarded([&] { return tinplate::DdsToTarga(dst, src); }) ? 0 : 1;
}

std::intptr_t _TargaToExtendedBitmap(std::intptr_t src, std::intptr_t dst, std::intptr_t,
                                     std::intptr_t) {
    return tinplate::RunGuarded([&] { return tinplate::ColourMappedTargaToBitmap(src, dst); }) ? 1
                                                                                               : 0;
}
