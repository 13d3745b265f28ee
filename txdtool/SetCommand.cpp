// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool set: Texture > Properties of the named textures, then save.
#include "edits/EditRefused.h"
#include "edits/TextureProperties.h"
#include "fileio/FileError.h"
#include "txdtool/Batch.h"
#include "txdtool/Commands.h"
#include "txdtool/TextureSelection.h"

namespace tinplate {

namespace {

std::string ValueWords(FilterField field) {
    std::string words;
    for (std::uint32_t i = 0; i < NamedFilterValues(field); ++i) {
        words += FilterValueName(field, i) + ", ";
    }
    return words + "or a number up to " + std::to_string(FilterFieldMaximum(field));
}

std::optional<std::uint32_t> ParseField(const std::optional<std::string>& word, FilterField field,
                                        const char* option) {
    if (!word) {
        return std::nullopt;
    }
    if (const auto value = ParseFilterValue(field, *word)) {
        return value;
    }
    throw UsageError(std::string(option) + " takes " + ValueWords(field) + ", not " + *word);
}

PropertyChanges ParseChanges(const CommandArguments& arguments) {
    PropertyChanges changes{ParseField(arguments.filter, FilterField::Mode, "--filter"),
                            ParseField(arguments.u, FilterField::U, "--u"),
                            ParseField(arguments.v, FilterField::V, "--v"), arguments.mask};
    if (changes.Empty()) {
        throw UsageError("set needs --filter, --u, --v or --mask");
    }
    if (const auto why = WhyPropertiesRefused(changes)) {
        throw UsageError(*why);
    }
    return changes;
}

}  // namespace

int RunSet(const CommandArguments& arguments) {
    const PropertyChanges changes = ParseChanges(arguments);
    const Selection selection = SelectTextures(arguments, "set");
    return EditEachDictionary("set", selection.files, [&](DictionaryFile& dictionary, GfxBinding&) {
        Edited edited;
        for (TextureEntry* texture : Chosen(dictionary, selection)) {
            try {
                edited.changed = ApplyProperties(texture->record, changes) || edited.changed;
            } catch (const EditRefused& refusal) {
                throw FileError(dictionary.shownName(), refusal.what());
            }
        }
        return edited;
    });
}

}  // namespace tinplate
