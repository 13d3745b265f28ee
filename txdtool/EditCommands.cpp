// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "AlphaFlag.h"
#include "Commands.h"
#include "DictionaryFile.h"
#include "FileError.h"
#include "Flip.h"
#include "PrintableText.h"
#include "Swizzle.h"

// Each edit holds the dictionary lock from reading to saving, so that two edits of one file
// never mix, and saves only when it changed something: Save rebuilds mip levels, so an idle
// save is not idle.

namespace {

int ConvertAll(const CommandArguments& arguments, bool (*convert)(TextureRecord&)) {
    DictionaryFile dictionary(arguments.operands[0], DictionaryFile::Use::Edit);
    std::vector<std::string> converted;
    for (TextureEntry& texture : dictionary.textures()) {
        if (convert(texture.record)) {
            converted.push_back(texture.name);
        }
    }
    if (!converted.empty()) {
        GfxBinding gfx;
        dictionary.Save(gfx);
    }
    for (const std::string& name : converted) {
        std::cout << PrintableText(name) << '\n';
    }
    return 0;
}

bool ParseYesNo(const std::string& word) {
    if (word == "yes") {
        return true;
    }
    if (word == "no") {
        return false;
    }
    throw UsageError("alpha takes yes or no, not " + word);
}

}  // namespace

int RunSwizzle(const CommandArguments& arguments) {
    return ConvertAll(arguments, SwizzleTexture);
}

int RunUnswizzle(const CommandArguments& arguments) {
    return ConvertAll(arguments, UnswizzleTexture);
}

int RunFlip(const CommandArguments& arguments) {
    DictionaryFile dictionary(arguments.operands[0], DictionaryFile::Use::Edit);
    TextureEntry& texture = dictionary.Find(arguments.operands[1]);
    if (!FlipTexture(texture.record)) {
        throw FileError(dictionary.shownName(),
                        TextureAndKind(texture) +
                            " cannot be flipped: its pixel data does not fit its size and kind");
    }
    GfxBinding gfx;
    dictionary.Save(gfx);
    return 0;
}

int RunAlpha(const CommandArguments& arguments) {
    const bool yes = ParseYesNo(arguments.operands[2]);
    DictionaryFile dictionary(arguments.operands[0], DictionaryFile::Use::Edit);
    TextureEntry& texture = dictionary.Find(arguments.operands[1]);
    if (texture.record.hasAlpha == (yes ? 1u : 0u)) {
        return 0;
    }
    SetAlpha(texture.record, yes);
    GfxBinding gfx;
    dictionary.Save(gfx);
    return 0;
}
