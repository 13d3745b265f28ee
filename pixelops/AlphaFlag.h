// SPDX-License-Identifier: GPL-3.0-or-later
// Setting a texture's alpha word.
#pragma once

#include "txd/TextureRecord.h"

namespace tinplate {

// The header word is written back as it is, so only 1 and 0 are ever stored.
inline void SetAlpha(TextureRecord& record, bool yes) {
    record.hasAlpha = yes ? 1 : 0;
}

}  // namespace tinplate
