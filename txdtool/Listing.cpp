// SPDX-License-Identifier: GPL-3.0-or-later
// The tab-separated and JSON listings.
#include "txdtool/Listing.h"

#include <algorithm>

#include "fileio/PrintableText.h"
#include "preview/FieldTexts.h"
#include "txd/FilterWord.h"
#include "txd/GameLevels.h"
#include "txd/LibraryVersion.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"
#include "txdtool/Utf8Text.h"

namespace tinplate {

namespace {

struct Column {
    const char* caption;
    std::string FieldTexts::*text;
};

// In the order of the window's fields, under the window's captions.
constexpr Column kColumns[] = {
    {"Width", &FieldTexts::width},
    {"Height", &FieldTexts::height},
    {"Bpp", &FieldTexts::bpp},
    {"Comp.", &FieldTexts::comp},
    {"MipMaps", &FieldTexts::mipMaps},
    {"Alpha", &FieldTexts::alpha},
    {"Alpha Flags", &FieldTexts::alphaFlags},
    {"Filter Flags", &FieldTexts::filterFlags},
};

// The texts as the window shows them right after this texture is the first one previewed.
FieldTexts TextsOf(const TextureRecord& record) {
    FieldTexts texts;
    UpdateFieldTexts(record, texts);
    return texts;
}

nlohmann::json FilterValue(FilterField field, std::uint32_t value) {
    const std::string name = FilterValueName(field, value);
    return name.empty() ? nlohmann::json(value) : nlohmann::json(name);
}

nlohmann::json JsonFilter(std::uint32_t word) {
    const FilterSettings settings = DecodeFilterWord(word);
    return {{"mode", FilterValue(FilterField::Mode, settings.mode)},
            {"u", FilterValue(FilterField::U, settings.u)},
            {"v", FilterValue(FilterField::V, settings.v)}};
}

// The order of the first level: the one the picture area shows.
std::string_view OrderText(const TextureRecord& record) {
    return OrderName(record.firstLevelOrder);
}

}  // namespace

// After the window's fields: the number of levels stored (MipMaps counts those after the
// first), each texture's platform where the file is not all on the usual one, and with `withOrder`
// the order of its texels.
void WriteTextListing(std::ostream& out, const std::vector<TextureEntry>& textures,
                      bool withOrder) {
    const bool platforms = std::ranges::any_of(textures, [](const TextureEntry& texture) {
        return texture.record.platform != platform::kUsual;
    });
    out << "Index\tName";
    for (const Column& column : kColumns) {
        out << '\t' << column.caption;
    }
    out << "\tLevels" << (platforms ? "\tPlatform" : "") << (withOrder ? "\tOrder\n" : "\n");
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const TextureRecord& record = textures[i].record;
        const FieldTexts texts = TextsOf(record);
        out << i << '\t' << PrintableText(textures[i].name);
        for (const Column& column : kColumns) {
            out << '\t' << texts.*column.text;
        }
        out << '\t' << static_cast<std::uint16_t>(record.mipCount);
        if (platforms) {
            out << '\t' << record.platform;
        }
        if (withOrder) {
            out << '\t' << OrderText(textures[i].record);
        }
        out << '\n';
    }
}

nlohmann::json JsonTexture(std::size_t index, const TextureEntry& texture) {
    const TextureRecord& r = texture.record;
    const FieldTexts texts = TextsOf(r);
    nlohmann::json fields = nlohmann::json::object();
    for (const Column& column : kColumns) {
        fields[column.caption] = texts.*column.text;
    }
    return {
        {"index", index},
        {"name", IsValidUtf8(texture.name) ? nlohmann::json(texture.name) : nullptr},
        {"name_hex", HexOf(texture.name)},
        {"kind", KindWord(r)},
        {"platform", r.platform},
        {"width", r.width},
        {"height", r.height},
        {"bpp", r.depth},
        {"compression", r.compression},
        {"mip_levels", r.mipCount},
        {"has_alpha", r.hasAlpha},
        {"alpha_flags", r.alphaFlags},
        {"filter_flags", r.filterFlags},
        {"filter", JsonFilter(r.filterFlags)},
        {"mask_name", IsValidUtf8(r.maskName) ? nlohmann::json(r.maskName) : nullptr},
        {"order", OrderText(r)},
        {"header_offset", r.headerOffset},
        {"palette_offset", r.paletteOffset},
        {"palette_size", r.paletteSize},
        {"pixel_offset", r.pixelOffset},
        {"pixel_size", r.pixelSize},
        {"fields", std::move(fields)},
    };
}

nlohmann::json JsonListing(const std::string& fileName, const std::vector<TextureEntry>& textures,
                           std::uint32_t versionWord) {
    nlohmann::json listed = nlohmann::json::array();
    for (std::size_t i = 0; i < textures.size(); ++i) {
        listed.push_back(JsonTexture(i, textures[i]));
    }
    const LibraryVersion version = DecodeVersionWord(versionWord);
    return {{"file", fileName},
            {"version", VersionText(version.version)},
            {"build", version.build ? nlohmann::json(*version.build) : nullptr},
            {"textures", std::move(listed)}};
}

void WriteJsonDocument(std::ostream& out, nlohmann::json files) {
    const nlohmann::json document = {{"format", 1}, {"files", std::move(files)}};
    // File names may hold bytes that are not UTF-8; they are shown with U+FFFD for those.
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace tinplate
