// SPDX-License-Identifier: GPL-3.0-or-later
// The filter and default name of an import's dialog.
#include "exchange/ImportDialog.h"

#include "edits/TextureName.h"
#include "exchange/ExchangeKind.h"

namespace tinplate {

std::optional<ImportDialog> ImportDialogFor(const std::string& name, const TextureRecord& record) {
    const ExchangeKind kind = ExchangeKindOf(record);
    if (kind == ExchangeKind::None) {
        return std::nullopt;
    }
    RequireSafeTextureName(name);
    if (kind == ExchangeKind::Palettised) {
        return ImportDialog{kTargaFilter, ".tga", name + ".tga"};
    }
    return ImportDialog{kDdsFilter, ".dds", name + ".dds"};
}

}  // namespace tinplate
