// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool platform: every texture of each dictionary into another platform's layout.
#include <algorithm>
#include <future>
#include <map>
#include <memory>

#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "fileio/PrintableText.h"
#include "pixelops/PlatformConversion.h"
#include "txd/PlatformLayout.h"
#include "txdtool/Batch.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Report.h"

namespace tinplate {

namespace {

std::optional<std::uint32_t> PlatformNamed(const std::string& word) {
    if (const PlatformFacts* facts = PlatformOfWord(word)) {
        return facts->id;
    }
    return std::nullopt;
}

std::string PlatformWords(const char* separator) {
    std::string words;
    for (const PlatformFacts& facts : Platforms()) {
        words += (words.empty() ? "" : separator) + std::string(facts.word);
    }
    return words;
}

// The platform comes last; first is taken too when the rest are files, as people write it.
std::uint32_t TakePlatform(std::vector<std::string>& words) {
    if (const auto last = PlatformNamed(words.back())) {
        words.pop_back();
        return *last;
    }
    const auto first = PlatformNamed(words.front());
    if (!first) {
        throw UsageError("platform takes one of " + PlatformWords(", ") + ", not " + words.back());
    }
    if (!std::all_of(words.begin() + 1, words.end(), FileExists)) {
        throw UsageError("the platform comes after the files (platform FILE.txd... " +
                         PlatformWords("|") + "), not before " + words[1]);
    }
    words.erase(words.begin());
    return *first;
}

// Each converted texture's levels are put into their new order only as the writer reaches it,
// the next ones on other threads meanwhile: no copy of the whole dictionary is made, and the
// reordering runs beside the writing.
TextureSupplier ReorderedWhenWritten(std::vector<TextureEntry> sources,
                                     std::vector<TextureEntry> converted,
                                     std::optional<TexelOrder> order) {
    constexpr std::size_t kAhead = 2;
    struct State {
        std::vector<TextureEntry> sources;
        std::vector<TextureEntry> converted;
        std::optional<TexelOrder> order;
        std::map<std::size_t, std::future<TextureEntry>> pending;

        void Start(std::size_t index) {
            if (index < converted.size() && !pending.contains(index)) {
                pending[index] = std::async(std::launch::async, [this, index] {
                    return TextureEntry{
                        converted[index].name,
                        WithLevelsReordered(sources[index].record, converted[index].record, order)};
                });
            }
        }
    };
    auto state = std::make_shared<State>();
    state->sources = std::move(sources);
    state->converted = std::move(converted);
    state->order = order;
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
    const std::uint32_t target = TakePlatform(files);
    return EditEachDictionary("platform", files, [&](DictionaryFile& dictionary, GfxBinding&) {
        std::vector<TextureEntry>& textures = dictionary.textures();
        std::vector<TextureEntry> converted;
        converted.reserve(textures.size());
        Edited edited;
        if (arguments.order && std::ranges::any_of(textures, [](const TextureEntry& texture) {
                return !SwizzlesInMortonOrder(texture.record.platform);
            })) {
            ReportNote(dictionary.shownName(),
                       "--linear concerns platform 5 textures only; the others are in row "
                       "order already");
        }
        for (const TextureEntry& texture : textures) {
            try {
                converted.push_back(
                    {texture.name, ConvertedLayout(texture, target, arguments.order)});
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
                ReorderedWhenWritten(std::move(textures), converted, arguments.order));
            textures = std::move(converted);
        }
        return edited;
    });
}

}  // namespace tinplate
