// SPDX-License-Identifier: GPL-3.0-or-later
// The filter and default name of an import's dialog.
#include "exchange/ImportDialog.h"

#include "edits/TextureName.h"
#include "exchange/ExchangeRoute.h"

namespace tinplate {

std::optional<ImportDialog> ImportDialogFor(const std::string& name, const TextureRecord& record) {
    const TextureKind kind = KindOf(record);
    if (!TradesWithLibraries(kind)) {
        return std::nullopt;
    }
    RequireSafeTextureName(name);
    if (IsPalettised(kind)) {
        return ImportDialog{kTargaFilter, ".tga", name + ".tga"};
    }
    return ImportDialog{kDdsFilter, ".dds", name + ".dds"};
}

}  // namespace tinplate
