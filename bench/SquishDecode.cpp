// SPDX-License-Identifier: GPL-3.0-or-later
// The floor a texture preview is measured against: reads a DXT1/DXT3/DXT5 DDS file and
// decodes it with libsquish, nothing more. squish_decode FILE.dds
#include <squish.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: squish_decode FILE.dds\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<char> file{std::istreambuf_iterator<char>(in), {}};
    if (file.size() < 128) {
        std::fprintf(stderr, "squish_decode: %s is no DDS file\n", argv[1]);
        return 1;
    }
    const auto word = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) {
            value = value << 8 | static_cast<std::uint8_t>(file[at + i]);
        }
        return value;
    };
    const int height = static_cast<int>(word(12));
    const int width = static_cast<int>(word(16));
    const std::uint32_t fourCc = word(84);
    const int flags = fourCc == 0x31545844   ? squish::kDxt1
                      : fourCc == 0x33545844 ? squish::kDxt3
                                             : squish::kDxt5;
    const std::size_t blocks = static_cast<std::size_t>((width + 3) / 4) * ((height + 3) / 4);
    if (file.size() - 128 < blocks * (flags == squish::kDxt1 ? 8 : 16)) {
        std::fprintf(stderr, "squish_decode: %s is truncated\n", argv[1]);
        return 1;
    }
    const auto rgba =
        std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(width) * height * 4);
    squish::DecompressImage(rgba.get(), width, height, file.data() + 128, flags);
    std::printf("%u\n", rgba[std::size_t(width) * height * 2]);
    return 0;
}
