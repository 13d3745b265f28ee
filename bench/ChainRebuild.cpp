// SPDX-License-Identifier: GPL-3.0-or-later
// The part of Save that rebuilds one 8-bit texture's smaller levels, alone: writes
// MipMapIn.bmp, has _bmpresize make every level down to 1 x 1 from it, in Save's order, and
// reads each MipMapOut.bmp back. Run in a scratch folder: rebuild_chain FILE.txd NAME
#include <cstdio>
#include <exception>

#include "fileio/FileIo.h"
#include "gfxlib/GfxBinding.h"
#include "gfxlib/LibraryArgs.h"
#include "txd/DictionaryReader.h"
#include "workfiles/WorkingBitmap.h"

using namespace tinplate;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: rebuild_chain FILE.txd NAME\n");
        return 2;
    }
    try {
        for (const TextureEntry& texture : ReadDictionary(argv[1])) {
            if (texture.name != argv[2]) {
                continue;
            }
            const TextureRecord& record = texture.record;
            WriteWorkingBitmap("MipMapIn.bmp", record, 8);
            GfxBinding gfx;
            NameBuffer input("MipMapIn.bmp");
            NameBuffer output("MipMapOut.bmp");
            WorkBlock block;
            std::size_t total = 0;
            for (std::uint32_t w = record.width, h = record.height; w > 1 || h > 1;) {
                w = w > 1 ? w / 2 : 1;
                h = h > 1 ? h / 2 : 1;
                gfx._bmpresize(input.word(), output.word(), block.word(), w, h);
                total += ReadWholeFile("MipMapOut.bmp").size();
            }
            RemoveFileQuietly("MipMapIn.bmp");
            RemoveFileQuietly("MipMapOut.bmp");
            std::printf("%zu\n", total);
            return 0;
        }
        std::fprintf(stderr, "rebuild_chain: no texture %s\n", argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rebuild_chain: %s\n", error.what());
    }
    return 1;
}
