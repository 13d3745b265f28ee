// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a sample dictionary: txdgen [--set NAME] OUT.txd
//   sample        one texture of every kind the editor knows (the default)
//   rgba-NNNmib   32-bit 1024 x 1024 textures with full mip chains, NNN MiB in all
//                 (rgba-256mib: 48 textures)
//   pal8-2048     one 8-bit 2048 x 2048 texture with a full mip chain
//   dxt1-2048     one DXT1 2048 x 2048 texture
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "tools/DictionaryBuilder.h"

namespace tinplate {

namespace {

// "rgba-NNNmib": the number of MiB, or 0 when `set` is not of that form.
unsigned long RgbaMebibytes(const std::string& set) {
    if (!set.starts_with("rgba-") || !set.ends_with("mib")) {
        return 0;
    }
    return std::strtoul(set.c_str() + 5, nullptr, 10);
}

bool TexturesOfSet(const std::string& set, std::vector<SampleTexture>& textures) {
    if (set == "sample") {
        textures = StandardSampleTextures();
    } else if (const unsigned long mebibytes = RgbaMebibytes(set); mebibytes > 0) {
        // Each texture with its levels holds 16/3 MiB.
        for (unsigned long i = 0; i < (mebibytes * 3 + 15) / 16; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "rgba_1024_%02lu", i);
            textures.push_back(MakePatternTexture(name, 1024, 1024, 32, 0, 11, 0x0500));
        }
    } else if (set == "pal8-2048") {
        textures.push_back(MakePatternTexture("pal8_2048", 2048, 2048, 8, 0, 12, 0x2500));
    } else if (set == "dxt1-2048") {
        textures.push_back(MakePatternTexture("dxt1_2048", 2048, 2048, 16, 12, 1, 0x8200));
    } else {
        return false;
    }
    return true;
}

}  // namespace

}  // namespace tinplate

using namespace tinplate;

int main(int argc, char** argv) {
    std::string set = "sample";
    if (argc == 4 && std::string(argv[1]) == "--set") {
        set = argv[2];
    } else if (argc != 2) {
        std::fprintf(stderr,
                     "usage: txdgen [--set sample|rgba-NNNmib|pal8-2048|dxt1-2048] OUT.txd\n");
        return 2;
    }
    std::vector<SampleTexture> textures;
    if (!TexturesOfSet(set, textures)) {
        std::fprintf(stderr, "txdgen: unknown set %s\n", set.c_str());
        return 2;
    }
    try {
        WriteNewFile(argv[argc - 1], {BuildDictionary(textures)});
    } catch (const FileError& error) {
        std::fprintf(stderr, "txdgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
