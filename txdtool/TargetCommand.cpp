// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool target, and the target of a new dictionary.
#include "txdtool/TargetCommand.h"

#include <charconv>

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "pixelops/PlatformConversion.h"
#include "pixelops/TargetConversion.h"
#include "txd/LibraryVersion.h"
#include "txd/PlatformLayout.h"
#include "txdtool/Batch.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"

namespace tinplate {

namespace {

std::uint32_t ParseVersionOption(const std::string& word) {
    if (const auto version = ParseVersionWord(word)) {
        return *version;
    }
    throw UsageError(
        "--version takes a version like 3.6.0.3 or a version word like 0x1803FFFF, "
        "not " +
        word);
}

std::uint32_t ParsePlatformOption(const std::string& word) {
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), id);
    if (error != std::errc() || end != word.data() + word.size() || FindLayout(id) == nullptr) {
        throw UsageError("--platform takes 5, 8 or 9, not " + word);
    }
    return id;
}

}  // namespace

const GameTarget& ParseGameTarget(const std::string& word) {
    if (const GameTarget* target = FindGameTarget(word)) {
        return *target;
    }
    throw UsageError("unknown target " + word + "; the targets are " + GameTargetWords());
}

std::vector<std::uint8_t> NewDictionaryBytes(const CommandArguments& arguments) {
    if (arguments.target && (arguments.platform || arguments.version)) {
        throw UsageError("--target cannot be given with --platform or --version");
    }
    std::uint32_t platform = platform::kUsual;
    std::uint32_t version = FindGameTarget("sa-5")->versionWord;
    if (arguments.target) {
        const GameTarget& target = ParseGameTarget(*arguments.target);
        if (FindLayout(target.platform) == nullptr) {
            throw UsageError("dictionaries for " + std::string(target.title) +
                             " cannot be made yet: its platform has no layout here");
        }
        platform = target.platform;
        version = target.versionWord;
    }
    if (arguments.platform) {
        platform = ParsePlatformOption(*arguments.platform);
    }
    if (arguments.version) {
        version = ParseVersionOption(*arguments.version);
    }
    std::vector<std::uint8_t> bytes = EmptyDictionaryFor(platform, version);
    // An empty dictionary tells its platform by its version alone before 3.6.
    if (PlatformOfEmptyDictionary(bytes) != platform) {
        throw UsageError("an empty dictionary of version " +
                         VersionText(DecodeVersionWord(version).version) +
                         " cannot record platform " + std::to_string(platform) +
                         "; give a version from 3.6.0.0 on, or a --target");
    }
    return bytes;
}

namespace {

int RunTarget(const CommandArguments& arguments) {
    std::vector<std::string> files = arguments.operands;
    const std::string word = files.back();
    files.pop_back();
    const auto choice = ParseTargetChoice(word);
    if (!choice) {
        throw UsageError("target takes a version like 3.4.0.3 or one of " + GameTargetWords() +
                         ", not " + word);
    }
    return EditEachDictionary("target", files, [&](DictionaryFile& dictionary, GfxBinding&) {
        const std::uint32_t from = DictionaryVersionWord(dictionary.bytes());
        TargetedTextures targeted;
        try {
            targeted = Targeted(dictionary.textures(), from, *choice, arguments.order);
        } catch (const ConversionRefused& refused) {
            throw FileError(dictionary.shownName(), refused.what());
        }
        Edited edited{from != choice->versionWord || !targeted.convertedNames.empty(), {}};
        for (const std::string& name : targeted.convertedNames) {
            edited.done.push_back(PrintableText(name));
        }
        if (from != choice->versionWord) {
            dictionary.ReplaceOriginal(WithChunkVersions(dictionary.bytes(), choice->versionWord));
        }
        if (!targeted.convertedNames.empty()) {
            dictionary.textures() = std::move(targeted.textures);
        }
        return edited;
    });
}

constexpr Command kTargetCommands[] = {
    {"set", "set FILE.txd NAME OPTION...\nset {-n NAME|--all} OPTION... FILE.txd...",
     "set filter mode, addressing and mask name, then save",
     "Texture > Properties of texture NAME, then File > Save. Only the bits of the filter\n"
     "word and the mask name given change; every other byte of the file stays as it was.\n"
     "The OPTIONs are at least one of:\n"
     "  --filter=MODE     none, nearest, linear, mip-nearest, mip-linear,\n"
     "                    linear-mip-nearest, linear-mip-linear, or a number up to 255\n"
     "  --u=MODE          addressing across: none, wrap, mirror, clamp, border, or a\n"
     "                    number up to 15\n"
     "  --v=MODE          addressing down, the same\n"
     "  --mask=NAME       the mask name (rules as for add's names), or \"\" for none\n"
     "  -n, --name=NAME   set this texture's properties (may be given several times)\n"
     "  -a, --all         set every texture's properties\n",
     1, kAny, kNameOption | kAllOption | kSetOptions, RunSet},
    {"target", "target FILE.txd... GAME-PLATFORM|VERSION [--linear]",
     "give dictionaries a game's version and platforms, then save",
     "Gives every chunk of each dictionary the target's library version and moves every\n"
     "texture the game cannot read to the platform it writes, as platform does (PC is 9 for\n"
     "sa and 8 for iii and vc; a platform 8 texture stays 8 for sa-pc). GAME is iii, vc or\n"
     "sa, PLATFORM pc, 5 or ps2: iii-pc, vc-5, sa-pc, ... VERSION (3.4.0.3, or a version\n"
     "word like 0x1003FFFF) changes the version alone. A dictionary that cannot be\n"
     "converted stays as it was. Prints the names of the textures converted.\n"
     "  --linear   the platform 5 dictionary was saved after Unswizzle All\n",
     2, kAny, kLinearOption, RunTarget},
};

}  // namespace

std::span<const Command> TargetCommands() {
    return kTargetCommands;
}

}  // namespace tinplate
