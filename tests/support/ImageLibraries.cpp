// SPDX-License-Identifier: GPL-3.0-or-later
// Calls of the image libraries with name buffers and a work block.
#include "tests/support/ImageLibraries.h"

#include "gfxlib/MwDds.h"

namespace tinplate {

std::intptr_t ImageLibraries::Block() {
    m_block.Clear();
    return m_block.word();
}

std::intptr_t ImageLibraries::AnyToBmps(const std::string& dds, const std::string& bmp) {
    return m_gfx._anytobmps(NameBuffer(dds).word(), NameBuffer(bmp).word(), Block(), 0, 0);
}

void ImageLibraries::BmpResize(const std::string& src, const std::string& dst, std::intptr_t width,
                               std::intptr_t height) {
    NameBuffer source(src);
    NameBuffer destination(dst);
    m_gfx._bmpresize(source.word(), src == dst ? source.word() : destination.word(), Block(), width,
                     height);
}

std::intptr_t ImageLibraries::BmpToAnys(const std::string& bmp, const std::string& tgaBase) {
    return m_gfx._bmptoanys(NameBuffer(bmp).word(), NameBuffer(tgaBase).word(), Block(), 24, 0);
}

std::intptr_t ImageLibraries::TargaFromDds(const std::string& tga, const std::string& dds) {
    return m_gfx._TargaFromDDS(NameBuffer(tga).word(), NameBuffer(dds).word(), Block());
}

std::intptr_t ImageLibraries::TargaToExtendedBitmap(const std::string& tga,
                                                    const std::string& bmp) {
    return m_gfx._TargaToExtendedBitmap(NameBuffer(tga).word(), NameBuffer(bmp).word(), Block(),
                                        20);
}

std::intptr_t ImageLibraries::TgaToDds(const std::string& tga, std::intptr_t alphaMode,
                                       const std::string& dds) {
    return TGAtoDDS(NameBuffer(tga).word(), alphaMode, 0, 0, NameBuffer(dds).word());
}

std::intptr_t ImageLibraries::TgaCompressBmp(const std::string& tga, const std::string& bmp) {
    return TGAcompressBMP(NameBuffer(tga).word(), 17, 0, 0, NameBuffer(bmp).word());
}

}  // namespace tinplate
