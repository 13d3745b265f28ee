// SPDX-License-Identifier: GPL-3.0-or-later
// The tab-separated and JSON listings.
#include "txdtool/Listing.h"

#include "fileio/PrintableText.h"
#include "preview/FieldTexts.h"
#include "txd/GameLevels.h"
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

// The order of the first level: the one the picture area shows.
std::string_view OrderText(const TextureRecord& record) {
    return OrderName(record.firstLevelOrder);
}

}  // namespace

void WriteTextListing(std::ostream& out, const std::vector<TextureEntry>& textures,
                      bool withOrder) {
    out << "Index\tName";
    for (const Column& column : kColumns) {
        out << '\t' << column.caption;
    }
    out << (withOrder ? "\tOrder\n" : "\n");
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const FieldTexts texts = TextsOf(textures[i].record);
        out << i << '\t' << PrintableText(textures[i].name);
        for (const Column& column : kColumns) {
            out << '\t' << texts.*column.text;
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
        {"order", OrderText(r)},
        {"header_offset", r.headerOffset},
        {"palette_offset", r.paletteOffset},
        {"palette_size", r.paletteSize},
        {"pixel_offset", r.pixelOffset},
        {"pixel_size", r.pixelSize},
        {"fields", std::move(fields)},
    };
}

nlohmann::json JsonListing(const std::string& fileName, const std::vector<TextureEntry>& textures) {
    nlohmann::json listed = nlohmann::json::array();
    for (std::size_t i = 0; i < textures.size(); ++i) {
        listed.push_back(JsonTexture(i, textures[i]));
    }
    return {{"file", fileName}, {"textures", std::move(listed)}};
}

void WriteJsonDocument(std::ostream& out, nlohmann::json files) {
    const nlohmann::json document = {{"format", 1}, {"files", std::move(files)}};
    // File names may hold bytes that are not UTF-8; they are shown with U+FFFD for those.
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace tinplate
