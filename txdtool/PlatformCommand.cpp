// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool platform: every texture of each dictionary into another platform's layout.
#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "pixelops/PlatformConversion.h"
#include "txd/PlatformLayout.h"
#include "txdtool/Batch.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"

namespace tinplate {

namespace {

std::uint32_t ParsePlatform(const std::string& word) {
    for (const std::uint32_t id : {platform::kPlatform5, platform::kD3d8, platform::kD3d9}) {
        if (word == std::to_string(id)) {
            return id;
        }
    }
    throw UsageError("platform takes 5, 8 or 9, not " + word);
}

}  // namespace

int RunPlatform(const CommandArguments& arguments) {
    std::vector<std::string> files = arguments.operands;
    const std::uint32_t target = ParsePlatform(files.back());
    files.pop_back();
    return EditEachDictionary("platform", files, [&](DictionaryFile& dictionary, GfxBinding&) {
        std::vector<TextureEntry>& textures = dictionary.textures();
        std::vector<TextureEntry> converted;
        try {
            converted = ConvertedDictionary(textures, target, arguments.linear);
        } catch (const ConversionRefused& refused) {
            throw FileError(dictionary.shownName(), refused.what());
        }
        Edited edited;
        for (const TextureEntry& texture : textures) {
            if (texture.record.platform != target) {
                edited.done.push_back(PrintableText(texture.name));
            }
        }
        edited.changed = !edited.done.empty();
        if (edited.changed) {
            textures = std::move(converted);
        }
        return edited;
    });
}

}  // namespace tinplate
