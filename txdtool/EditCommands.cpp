// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place editing commands: flip, swizzle, unswizzle, alpha.
#include <algorithm>

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "pixelops/AlphaFlag.h"
#include "pixelops/Flip.h"
#include "pixelops/Swizzle.h"
#include "txd/PlatformLayout.h"
#include "txdtool/Batch.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Report.h"
#include "txdtool/TextureSelection.h"

namespace tinplate {

namespace {

int ConvertAll(const CommandArguments& arguments, bool (*convert)(TextureRecord&),
               std::string_view command) {
    return EditEachDictionary(
        command, arguments.operands, [&](DictionaryFile& dictionary, GfxBinding&) {
            for (const TextureEntry& texture : dictionary.textures()) {
                if (!SwizzlesInMortonOrder(texture.record.platform)) {
                    throw FileError(dictionary.shownName(),
                                    "PC textures are always stored in linear order");
                }
            }
            Edited edited;
            for (TextureEntry& texture : dictionary.textures()) {
                if (convert(texture.record)) {
                    edited.done.push_back(PrintableText(texture.name));
                }
            }
            edited.changed = !edited.done.empty();
            return edited;
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

}  // namespace

int RunSwizzle(const CommandArguments& arguments) {
    return ConvertAll(arguments, SwizzleTexture, "swizzle");
}

int RunUnswizzle(const CommandArguments& arguments) {
    return ConvertAll(arguments, UnswizzleTexture, "unswizzle");
}

int RunFlip(const CommandArguments& arguments) {
    const Selection selection = SelectTextures(arguments, "flip");
    return EditEachDictionary(
        "flip", selection.files, [&](DictionaryFile& dictionary, GfxBinding&) {
            Edited edited;
            for (TextureEntry* texture : Chosen(dictionary, selection)) {
                if (FlipTexture(texture->record)) {
                    edited.changed = true;
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
            return edited;
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
    return EditEachDictionary(
        "alpha", selection.files, [&](DictionaryFile& dictionary, GfxBinding&) {
            Edited edited;
            for (TextureEntry* texture : Chosen(dictionary, selection)) {
                edited.changed = edited.changed || texture->record.hasAlpha != (yes ? 1u : 0u);
                SetAlpha(texture->record, yes);
            }
            return edited;
        });
}

}  // namespace tinplate
