// SPDX-License-Identifier: GPL-3.0-or-later
// Swizzle All / Unswizzle All over 64 MiB of texels, against memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "pixelops/Swizzle.h"

namespace tinplate {

namespace {

constexpr std::size_t kTotalBytes = std::size_t{64} << 20;

struct Shape {
    std::uint32_t width;
    std::uint32_t height;
};

// Mostly square textures, plus one wide and one tall, 4 MiB each.
std::vector<TextureRecord> MakeDictionary(int depth) {
    const std::uint32_t texel = static_cast<std::uint32_t>(depth / 8);
    const std::uint32_t side = depth == 8 ? 2048 : 1024;
    std::vector<Shape> shapes(14, Shape{side, side});
    shapes.push_back({side * 2, side / 2});
    shapes.push_back({side / 2, side * 2});
    std::vector<TextureRecord> records;
    for (const Shape& shape : shapes) {
        TextureRecord record;
        record.width = shape.width;
        record.height = shape.height;
        record.depth = static_cast<std::int16_t>(depth);
        record.pixelSize = shape.width * shape.height * texel;
        record.pixels.resize(record.pixelSize);
        for (std::size_t i = 0; i < record.pixels.size(); ++i) {
            record.pixels[i] = static_cast<std::uint8_t>(i * 131 + (i >> 12));
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::size_t TotalBytes(const std::vector<TextureRecord>& records) {
    std::size_t total = 0;
    for (const TextureRecord& record : records) {
        total += record.pixels.size();
    }
    return total;
}

template <bool (*Convert)(TextureRecord&)>
void ConvertAll(benchmark::State& state) {
    std::vector<TextureRecord> records = MakeDictionary(static_cast<int>(state.range(0)));
    if (TotalBytes(records) != kTotalBytes) {
        state.SkipWithError("the sample dictionary is not 64 MiB");
        return;
    }
    for (auto _ : state) {
        for (TextureRecord& record : records) {
            benchmark::DoNotOptimize(Convert(record));
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

void CopyAll(benchmark::State& state) {
    const std::vector<TextureRecord> records = MakeDictionary(static_cast<int>(state.range(0)));
    std::vector<std::vector<std::uint8_t>> copies;
    for (const TextureRecord& record : records) {
        copies.emplace_back(record.pixels.size(), 0);
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            std::memcpy(copies[i].data(), records[i].pixels.data(), records[i].pixels.size());
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotalBytes));
}

}  // namespace

BENCHMARK(ConvertAll<SwizzleTexture>)
    ->Name("SwizzleAll")
    ->ArgName("depth")
    ->Arg(8)
    ->Arg(32)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertAll<UnswizzleTexture>)
    ->Name("UnswizzleAll")
    ->ArgName("depth")
    ->Arg(8)
    ->Arg(32)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CopyAll)->Name("Memcpy")->ArgName("depth")->Arg(8)->Arg(32)->Unit(
    benchmark::kMillisecond);

}  // namespace tinplate
