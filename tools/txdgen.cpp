// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample dictionary, or with a size a large one for timing and crash tests:
// txdgen OUT.txd [MIB]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "DictionaryBuilder.h"
#include "FileError.h"
#include "FileIo.h"

namespace {

// 32-bit 1024 x 1024 textures with every level, about 5.3 MiB each, until `mebibytes` is reached.
std::vector<SampleTexture> LargeTextures(unsigned long mebibytes) {
    std::vector<SampleTexture> textures;
    std::size_t total = 0;
    while (total < (std::size_t{mebibytes} << 20)) {
        textures.push_back(MakePatternTexture("big_" + std::to_string(textures.size()), 1024, 1024,
                                              32, 0, 11, 0x0500));
        for (const auto& level : textures.back().levels) {
            total += level.size();
        }
    }
    return textures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: txdgen OUT.txd [MIB]\n");
        return 2;
    }
    try {
        const auto textures = argc == 3 ? LargeTextures(std::strtoul(argv[2], nullptr, 10))
                                        : StandardSampleTextures();
        WriteNewFile(argv[1], {BuildDictionary(textures)});
    } catch (const FileError& error) {
        std::fprintf(stderr, "txdgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
