// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary reader, then every pixel operation the editor offers on each texture it lists.
#include <span>

#include "fileio/FileError.h"
#include "fuzz/FuzzTarget.h"
#include "pixelops/AlphaFlag.h"
#include "pixelops/Flip.h"
#include "pixelops/Swizzle.h"
#include "preview/FieldTexts.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TextureEntry> entries;
    try {
        entries = ParseDictionary(std::span(data, size), "fuzz.txd");
    } catch (const FileError&) {
        return 0;
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
    return 0;
}

}  // namespace tinplate
