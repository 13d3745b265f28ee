// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary reader, the checks of lint, every pixel operation the editor offers on each
// texture it lists, diff of the result against the file, and the writers: the dictionary
// written back, and converted to each platform layout; another version stamped on every chunk.
#include <span>

#include "checks/DictionaryDiff.h"
#include "checks/DictionaryLint.h"
#include "fileio/FileError.h"
#include "fuzz/FuzzTarget.h"
#include "pixelops/AlphaFlag.h"
#include "pixelops/Flip.h"
#include "pixelops/PlatformConversion.h"
#include "pixelops/Swizzle.h"
#include "preview/FieldTexts.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"
#include "txd/GameTargets.h"
#include "txd/LibraryVersion.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TextureEntry> entries;
    try {
        entries = ParseDictionary(std::span(data, size), "fuzz.txd");
    } catch (const FileError&) {
        return 0;
    }
    LintDictionary(std::span(data, size), entries);
    // Stamping another version keeps every block where it was: the stamped file reads back.
    ParseDictionary(WithChunkVersions(std::span(data, size), 0x0C02FFFF), "stamped.txd");
    PlatformOfEmptyDictionary(std::span(data, size));
    const std::vector<TextureEntry> read = entries;
    const std::span<const std::uint8_t> original(data, size);
    // Whatever the writers make must read back: a refusal there escapes as a finding.
    for (const PlatformFacts& target : Platforms()) {
        std::vector<std::uint8_t> written;
        try {
            written = DictionaryBytes(original, ConvertedDictionary(entries, target.id), "");
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
    DiffDictionaries(read, entries);
    std::vector<std::uint8_t> written;
    try {
        written = DictionaryBytes(original, entries, "fuzz.txd");
    } catch (const FileError&) {
        return 0;
    }
    ParseDictionary(written, "written.txd");
    return 0;
}

}  // namespace tinplate
