// SPDX-License-Identifier: GPL-3.0-or-later
// Swizzle All / Unswizzle All over 64 MiB of texels, against memcpy of the same bytes; the
// ratios (speed against memcpy's, 1 being as fast) are printed after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
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

// Keeps each run's bytes per second beside printing the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end()) {
                rates[run.benchmark_name()] = rate->second.value;
            }
        }
    }
    std::map<std::string, double> rates;
};

}  // namespace tinplate

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tinplate::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* depth : {"8", "32"}) {
        const double memcpy = reporter.rates["Memcpy/depth:" + std::string(depth)];
        for (const char* name : {"SwizzleAll", "UnswizzleAll"}) {
            const double rate = reporter.rates[name + std::string("/depth:") + depth];
            if (memcpy > 0 && rate > 0) {
                std::printf("%s of %s-bit textures: %.2f x memcpy\n", name, depth, rate / memcpy);
            }
        }
    }
    benchmark::Shutdown();
    return 0;
}
