// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary reader, the checks of lint, every pixel operation the editor offers on each
// texture it lists, diff of the result against the file, and the writers: the dictionary
// written back, and converted to each platform layout.
#include <span>

#include "AlphaFlag.h"
#include "DictionaryDiff.h"
#include "DictionaryLint.h"
#include "DictionaryReader.h"
#include "DictionaryWriter.h"
#include "FieldTexts.h"
#include "FileError.h"
#include "Flip.h"
#include "FuzzTarget.h"
#include "PlatformConversion.h"
#include "PlatformLayout.h"
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
    const std::span<const std::uint8_t> original(data, size);
    // Whatever the writers make must read back: a refusal there escapes as a finding.
    for (const std::uint32_t target : {platform::kPlatform5, platform::kD3d8, platform::kD3d9}) {
        std::vector<std::uint8_t> written;
        try {
            written = DictionaryBytes(original, ConvertedDictionary(entries, target, false), "");
        } catch (const ConversionRefused&) {
            continue;
        } catch (const FileError&) {
            continue;
        }
        ParseDictionary(written, "converted.txd");
    }
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
    std::vector<std::uint8_t> written;
    try {
        written = DictionaryBytes(original, entries, "fuzz.txd");
    } catch (const FileError&) {
        return 0;
    }
    ParseDictionary(written, "written.txd");
    return 0;
}
