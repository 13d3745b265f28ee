// SPDX-License-Identifier: GPL-3.0-or-later
// Adding 1,000 textures to a dictionary and writing it, per kind.
#include <benchmark/benchmark.h>

#include "edits/DictionaryEdits.h"
#include "txd/DictionaryWriter.h"

namespace tinplate {

namespace {

constexpr int kTextures = 1000;

FilePicture Picture(std::uint32_t side, std::uint32_t salt) {
    RgbaImage image{side, side, {}};
    for (std::uint32_t i = 0; i < side * side; ++i) {
        image.rgba.insert(image.rgba.end(), {static_cast<std::uint8_t>(i % side * 4 + salt),
                                             static_cast<std::uint8_t>(i / side * 4), 96, 255});
    }
    return {image, {}, {}};
}

void AddThousand(benchmark::State& state) {
    const auto kind = static_cast<TextureKind>(state.range(0));
    const auto side = static_cast<std::uint32_t>(state.range(1));
    std::vector<FilePicture> pictures;
    for (std::uint32_t salt = 0; salt < 8; ++salt) {
        pictures.push_back(Picture(side, salt));
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::vector<TextureEntry> textures;
        for (int i = 0; i < kTextures; ++i) {
            AddTexture(textures, "texture_" + std::to_string(i), pictures[i % 8], kind);
        }
        bytes = DictionaryBytes({}, textures, "bench.txd").size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetLabel(std::string(KindWord(kind)) + ", " + std::to_string(side) + " x " +
                   std::to_string(side) + ", file of " + std::to_string(bytes) + " bytes");
}

BENCHMARK(AddThousand)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {64}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

}  // namespace tinplate
