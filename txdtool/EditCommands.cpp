// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "AlphaFlag.h"
#include "Batch.h"
#include "Commands.h"
#include "DictionaryFile.h"
#include "FileError.h"
#include "Flip.h"
#include "PlatformLayout.h"
#include "PrintableText.h"
#include "Report.h"
#include "Swizzle.h"

// Each edit holds the dictionary lock from reading to saving, so that two edits of one file
// never mix, and saves only when it changed something: Save rebuilds mip levels, so an idle
// save is not idle.

namespace {

// What the names printed by a batch are prefixed with: nothing for one dictionary, so that
// its output stays a plain list of names.
std::string Prefix(const CommandArguments& arguments, const std::string& file) {
    return arguments.operands.size() > 1 ? PrintableText(file) + ": " : "";
}

int ConvertAll(const CommandArguments& arguments, bool (*convert)(TextureRecord&),
               std::string_view command) {
    return EditEachDictionary(command, arguments.operands, [&](const std::string& file) {
        DictionaryFile dictionary(file, DictionaryFile::Use::Edit);
        for (const TextureEntry& texture : dictionary.textures()) {
            if (texture.record.platform != platform::kPlatform5) {
                throw FileError(dictionary.shownName(),
                                "PC textures are always stored in linear order");
            }
        }
        std::vector<std::string> converted;
        for (TextureEntry& texture : dictionary.textures()) {
            if (convert(texture.record)) {
                converted.push_back(texture.name);
            }
        }
        if (converted.empty()) {
            return EditResult::Unchanged;
        }
        GfxBinding gfx;
        dictionary.Save(gfx);
        for (const std::string& name : converted) {
            if (!IsQuiet()) {
                Output() << Prefix(arguments, file) << PrintableText(name) << '\n';
            }
        }
        return EditResult::Saved;
    });
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

// The textures an edit works on: those named with -n, every one with --all, or the one named
// by the older form's NAME operand.
struct Selection {
    std::vector<std::string> files;
    std::vector<std::string> names;
    bool all = false;
};

// With -n or --all every operand is a dictionary; the older form is exactly FILE.txd NAME.
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

}  // namespace

int RunSwizzle(const CommandArguments& arguments) {
    return ConvertAll(arguments, SwizzleTexture, "swizzle");
}

int RunUnswizzle(const CommandArguments& arguments) {
    return ConvertAll(arguments, UnswizzleTexture, "unswizzle");
}

int RunFlip(const CommandArguments& arguments) {
    const Selection selection = SelectTextures(arguments, "flip");
    return EditEachDictionary("flip", selection.files, [&](const std::string& file) {
        DictionaryFile dictionary(file, DictionaryFile::Use::Edit);
        std::vector<TextureEntry*> textures = Chosen(dictionary, selection);
        bool flipped = false;
        for (TextureEntry* texture : textures) {
            if (FlipTexture(texture->record)) {
                flipped = true;
                continue;
            }
            const std::string why = TextureAndKind(*texture) +
                                    " cannot be flipped: its pixel data does not fit "
                                    "its size and kind";
            if (!selection.all) {
                throw FileError(dictionary.shownName(), why);
            }
            ReportNote(dictionary.shownName(), "skipped " + why);
        }
        if (!flipped) {
            return EditResult::Unchanged;
        }
        GfxBinding gfx;
        dictionary.Save(gfx);
        return EditResult::Saved;
    });
}

int RunAlpha(const CommandArguments& arguments) {
    // The older form ends with yes|no; with -n or --all it comes first, before the dictionaries.
    if (arguments.operands.empty()) {
        throw UsageError("too few arguments for alpha");
    }
    const bool olderForm = !arguments.TexturesChosen();
    CommandArguments rest = arguments;
    rest.operands.erase(olderForm ? rest.operands.end() - 1 : rest.operands.begin());
    const Selection selection = SelectTextures(rest, "alpha");
    const bool yes = ParseYesNo(olderForm ? arguments.operands.back() : arguments.operands[0]);
    return EditEachDictionary("alpha", selection.files, [&](const std::string& file) {
        DictionaryFile dictionary(file, DictionaryFile::Use::Edit);
        std::vector<TextureEntry*> textures = Chosen(dictionary, selection);
        bool changed = false;
        for (TextureEntry* texture : textures) {
            changed = changed || texture->record.hasAlpha != (yes ? 1u : 0u);
            SetAlpha(texture->record, yes);
        }
        if (!changed) {
            return EditResult::Unchanged;
        }
        GfxBinding gfx;
        dictionary.Save(gfx);
        return EditResult::Saved;
    });
}
