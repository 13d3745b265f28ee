// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool platform: every texture of each dictionary into another platform's layout.
#include <future>
#include <map>
#include <memory>

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
    if (const PlatformFacts* facts = PlatformOfWord(word)) {
        return facts->id;
    }
    std::string words;
    for (const PlatformFacts& facts : Platforms()) {
        words += (words.empty() ? "" : ", ") + std::string(facts.word);
    }
    throw UsageError("platform takes one of " + words + ", not " + word);
}

// Each converted texture's levels are put into their new order only as the writer reaches it,
// the next ones on other threads meanwhile: no copy of the whole dictionary is made, and the
// reordering runs beside the writing.
TextureSupplier ReorderedWhenWritten(std::vector<TextureEntry> sources,
                                     std::vector<TextureEntry> converted, bool linear) {
    constexpr std::size_t kAhead = 2;
    struct State {
        std::vector<TextureEntry> sources;
        std::vector<TextureEntry> converted;
        bool linear = false;
        std::map<std::size_t, std::future<TextureEntry>> pending;

        void Start(std::size_t index) {
            if (index < converted.size() && !pending.contains(index)) {
                pending[index] = std::async(std::launch::async, [this, index] {
                    return TextureEntry{converted[index].name,
                                        WithLevelsReordered(sources[index].record,
                                                            converted[index].record, linear)};
                });
            }
        }
    };
    auto state = std::make_shared<State>();
    state->sources = std::move(sources);
    state->converted = std::move(converted);
    state->linear = linear;
    return [state](std::size_t index) {
        for (std::size_t i = index; i <= index + kAhead; ++i) {
            state->Start(i);
        }
        // Textures already on the target are not asked for: their futures finish at once.
        std::future<TextureEntry> current = std::move(state->pending.at(index));
        std::erase_if(state->pending, [index](const auto& entry) { return entry.first <= index; });
        return current.get();
    };
}

}  // namespace

int RunPlatform(const CommandArguments& arguments) {
    std::vector<std::string> files = arguments.operands;
    const std::uint32_t target = ParsePlatform(files.back());
    files.pop_back();
    return EditEachDictionary("platform", files, [&](DictionaryFile& dictionary, GfxBinding&) {
        std::vector<TextureEntry>& textures = dictionary.textures();
        std::vector<TextureEntry> converted;
        converted.reserve(textures.size());
        Edited edited;
        for (const TextureEntry& texture : textures) {
            try {
                converted.push_back(
                    {texture.name, ConvertedLayout(texture, target, arguments.linear)});
            } catch (const ConversionRefused& refused) {
                throw FileError(dictionary.shownName(), refused.what());
            }
            if (texture.record.platform != target) {
                edited.done.push_back(PrintableText(texture.name));
            }
        }
        edited.changed = !edited.done.empty();
        if (edited.changed) {
            dictionary.SupplyWhenWritten(
                ReorderedWhenWritten(std::move(textures), converted, arguments.linear));
            textures = std::move(converted);
        }
        return edited;
    });
}

}  // namespace tinplate
