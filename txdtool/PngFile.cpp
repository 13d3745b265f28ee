// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngFile.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "AtomicFile.h"
#include "FileError.h"
#include "StandardStreams.h"

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kSubFilter = 1;
// Keeps every chunk far below the format's 2 GiB limit whatever the picture's size.
constexpr std::size_t kMaxChunkData = 1024 * 1024;

void AppendBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 std::span<const std::uint8_t> data) {
    AppendBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    AppendBe32(out, static_cast<std::uint32_t>(crc));
}

// Each row as R, G, B bytes after the "Sub" filter byte: every byte minus the same channel of
// the pixel to its left. A cheap filter that still lets the fastest compression level pack
// pictures well.
std::vector<std::uint8_t> FilteredRows(const Image& image) {
    const std::size_t rowBytes = std::size_t{image.width} * 3 + 1;
    std::vector<std::uint8_t> rows(rowBytes * image.height);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        std::uint8_t* out = rows.data() + y * rowBytes;
        *out++ = kSubFilter;
        std::uint32_t left = 0;
        for (std::uint32_t x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.pixels[std::size_t{y} * image.width + x];
            for (int shift = 16; shift >= 0; shift -= 8) {
                *out++ = static_cast<std::uint8_t>((pixel >> shift) - (left >> shift));
            }
            left = pixel;
        }
    }
    return rows;
}

std::optional<std::vector<std::uint8_t>> Compressed(const std::vector<std::uint8_t>& rows) {
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> stream(size);
    if (compress2(stream.data(), &size, rows.data(), static_cast<uLong>(rows.size()),
                  Z_BEST_SPEED) != Z_OK) {
        return std::nullopt;
    }
    stream.resize(size);
    return stream;
}

}  // namespace

void WritePng(const std::string& path, const Image& image) {
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0 || image.pixels.size() != count) {
        throw FileError(path, "the picture is empty");
    }
    const auto stream = Compressed(FilteredRows(image));
    if (!stream) {
        throw FileError(path, "the PNG could not be encoded");
    }
    std::vector<std::uint8_t> header;
    AppendBe32(header, image.width);
    AppendBe32(header, image.height);
    // 8 bits a channel, RGB, deflate, adaptive filters, no interlacing.
    header.insert(header.end(), {8, 2, 0, 0, 0});

    std::vector<std::uint8_t> png(kSignature.begin(), kSignature.end());
    png.reserve(stream->size() + 128);
    AppendChunk(png, "IHDR", header);
    for (std::size_t at = 0; at < stream->size(); at += kMaxChunkData) {
        const std::size_t length = std::min(kMaxChunkData, stream->size() - at);
        AppendChunk(png, "IDAT", std::span(*stream).subspan(at, length));
    }
    AppendChunk(png, "IEND", {});
    if (IsStandardStream(path)) {
        WriteStandardOutput(png);
        return;
    }
    WriteProductFile(path, {png});
}
