// SPDX-License-Identifier: GPL-3.0-or-later
// Picking the textures of an editing command.
#include "txdtool/TextureSelection.h"

#include <algorithm>

namespace tinplate {

Selection SelectTextures(const CommandArguments& arguments, std::string_view command) {
    const auto& operands = arguments.operands;
    if (arguments.all && !arguments.names.empty()) {
        throw UsageError("-n and --all cannot be given together");
    }
    if (arguments.TexturesChosen()) {
        if (operands.empty()) {
            throw UsageError("too few arguments for " + std::string(command));
        }
        return {operands, arguments.names, arguments.all};
    }
    if (operands.size() != 2) {
        throw UsageError(std::string(operands.size() < 2 ? "too few" : "too many") +
                         " arguments for " + std::string(command));
    }
    return {{operands[0]}, {operands[1]}, false};
}

std::vector<TextureEntry*> Chosen(DictionaryFile& dictionary, const Selection& selection) {
    std::vector<TextureEntry*> textures;
    if (selection.all) {
        for (TextureEntry& texture : dictionary.textures()) {
            textures.push_back(&texture);
        }
    }
    for (const std::string& name : selection.names) {
        TextureEntry* texture = &dictionary.Find(name);
        if (std::find(textures.begin(), textures.end(), texture) == textures.end()) {
            textures.push_back(texture);
        }
    }
    return textures;
}

}  // namespace tinplate
