// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextureKind.h"

#include <utility>

namespace {

constexpr std::uint32_t kPalette256Size = 1024;
constexpr std::uint32_t kPalette32Size = 128;

}  // namespace

std::string_view KindWord(const TextureRecord& record) {
    if (record.depth == 8) {
        switch (record.paletteSize) {
            case kPalette256Size:
                return "pal8";
            case kPalette32Size:
                return "pal8-32";
            default:
                return "unknown";
        }
    }
    if (record.depth <= 0) {
        return "unknown";
    }
    switch (record.compression) {
        case compression::kDxt1:
            return "dxt1";
        case compression::kDxt3:
            return "dxt3";
        case compression::kDxt5:
            return "dxt5";
        case compression::kNone:
            break;
        default:
            return "unknown";
    }
    switch (record.depth) {
        case 16:
            return "rgb16";
        case 24:
            return "rgb24";
        case 32:
            return "rgba32";
        default:
            return "unknown";
    }
}

std::string KindDescription(const TextureRecord& record) {
    constexpr std::pair<std::string_view, const char*> kNamed[] = {
        {"pal8", "8-bit, 256 colours"},
        {"pal8-32", "8-bit, 32 colours"},
        {"dxt1", "DXT1"},
        {"dxt3", "DXT3"},
        {"dxt5", "DXT5"},
    };
    for (const auto& [word, description] : kNamed) {
        if (word == KindWord(record)) {
            return description;
        }
    }
    return std::to_string(static_cast<std::uint16_t>(record.depth)) + "-bit";
}
