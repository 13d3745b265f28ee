// SPDX-License-Identifier: GPL-3.0-or-later
#include "Listing.h"

#include "FieldTexts.h"
#include "JsonString.h"
#include "PrintableText.h"

namespace {

struct Column {
    const char* caption;
    const char* key;
    std::string FieldTexts::*text;
};

// In the order of the window's fields, under the window's captions.
constexpr Column kColumns[] = {
    {"Width", "width", &FieldTexts::width},
    {"Height", "height", &FieldTexts::height},
    {"Bpp", "bpp", &FieldTexts::bpp},
    {"Comp.", "comp", &FieldTexts::comp},
    {"MipMaps", "mipMaps", &FieldTexts::mipMaps},
    {"Alpha", "alpha", &FieldTexts::alpha},
    {"Alpha Flags", "alphaFlags", &FieldTexts::alphaFlags},
    {"Filter Flags", "filterFlags", &FieldTexts::filterFlags},
};

// The texts as the window shows them right after this texture is the first one previewed.
FieldTexts TextsOf(const TextureRecord& record) {
    FieldTexts texts;
    UpdateFieldTexts(record, texts);
    return texts;
}

}  // namespace

void WriteTextListing(std::ostream& out, const std::vector<TextureEntry>& textures) {
    out << "Index\tName";
    for (const Column& column : kColumns) {
        out << '\t' << column.caption;
    }
    out << '\n';
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const FieldTexts texts = TextsOf(textures[i].record);
        out << i << '\t' << PrintableText(textures[i].name);
        for (const Column& column : kColumns) {
            out << '\t' << texts.*column.text;
        }
        out << '\n';
    }
}

void WriteJsonListing(std::ostream& out, const std::string& fileName,
                      const std::vector<TextureEntry>& textures) {
    out << "  {\"file\": " << JsonString(fileName) << ", \"textures\": [";
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const FieldTexts texts = TextsOf(textures[i].record);
        out << (i == 0 ? "\n" : ",\n") << "    {\"index\": " << i
            << ", \"name\": " << JsonString(textures[i].name);
        for (const Column& column : kColumns) {
            out << ", \"" << column.key << "\": " << JsonString(texts.*column.text);
        }
        out << '}';
    }
    out << (textures.empty() ? "]}" : "\n  ]}");
}
