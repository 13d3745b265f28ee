// SPDX-License-Identifier: GPL-3.0-or-later
// The two image libraries called as the editor calls them.
#pragma once

#include <cstdint>
#include <string>

#include "gfxlib/GfxBinding.h"
#include "gfxlib/LibraryArgs.h"

namespace tinplate {

// The two image libraries as the editor calls them: file names in name buffers and a freshly
// cleared work block, the mwgfx entry points late-bound through GfxBinding.
class ImageLibraries {
public:
    std::intptr_t AnyToBmps(const std::string& dds, const std::string& bmp);
    void BmpResize(const std::string& src, const std::string& dst, std::intptr_t width,
                   std::intptr_t height);
    std::intptr_t BmpToAnys(const std::string& bmp, const std::string& tgaBase);
    std::intptr_t TargaFromDds(const std::string& tga, const std::string& dds);
    std::intptr_t TargaToExtendedBitmap(const std::string& tga, const std::string& bmp);
    std::intptr_t TgaToDds(const std::string& tga, std::intptr_t alphaMode, const std::string& dds);
    std::intptr_t TgaCompressBmp(const std::string& tga, const std::string& bmp);

private:
    std::intptr_t Block();

    GfxBinding m_gfx;
    WorkBlock m_block;
};

}  // namespace tinplate
