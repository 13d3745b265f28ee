// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary reader, the checks of lint, then every pixel operation the editor offers on
// each texture it lists, and diff of the result against the file.
#include <span>

#include "AlphaFlag.h"
#include "DictionaryDiff.h"
#include "DictionaryLint.h"
#include "DictionaryReader.h"
#include "FieldTexts.h"
#include "FileError.h"
#include "Flip.h"
#include "FuzzTarget.h"
#include "Swizzle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TextureEntry> entries;
    try {
        entries = ParseDictionary(std::span(data, size), "fuzz.txd");
    } catch (const FileError&) {
        return 0;
    }
    tinplate::LintDictionary(std::span(data, size), entries);
    const std::vector<TextureEntry> read = entries;
    FieldTexts texts;
    for (TextureEntry& entry : entries) {
        TextureRecord& record = entry.record;
        UpdateFieldTexts(record, texts);
        SwizzleTexture(record);
        UnswizzleTexture(record);
        UnswizzleTexture(record);
        FlipTexture(record);
        SetAlpha(record, record.hasAlpha == 0);
    }
    tinplate::DiffDictionaries(read, entries);
    return 0;
}
