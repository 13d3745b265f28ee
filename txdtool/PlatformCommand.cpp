// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool platform: every texture of each dictionary into another platform's layout.
#include "Batch.h"
#include "Commands.h"
#include "DictionaryFile.h"
#include "FileError.h"
#include "PlatformConversion.h"
#include "PlatformLayout.h"
#include "PrintableText.h"
#include "Report.h"

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
    return EditEachDictionary("platform", files, [&](const std::string& file) {
        DictionaryFile dictionary(file, DictionaryFile::Use::Edit);
        std::vector<TextureEntry>& textures = dictionary.textures();
        std::vector<TextureEntry> converted;
        try {
            converted = ConvertedDictionary(textures, target, arguments.linear);
        } catch (const ConversionRefused& refused) {
            throw FileError(dictionary.shownName(), refused.what());
        }
        std::vector<std::string> names;
        for (std::size_t i = 0; i < textures.size(); ++i) {
            if (textures[i].record.platform != target) {
                names.push_back(textures[i].name);
            }
        }
        if (names.empty()) {
            return EditResult::Unchanged;
        }
        textures = std::move(converted);
        GfxBinding gfx;
        dictionary.Save(gfx);
        for (const std::string& name : names) {
            if (!IsQuiet()) {
                Output() << (files.size() > 1 ? PrintableText(file) + ": " : "")
                         << PrintableText(name) << '\n';
            }
        }
        return EditResult::Saved;
    });
}
