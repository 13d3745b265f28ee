// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportDialog.h"

#include "ExchangeKind.h"
#include "SafeName.h"

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
