// SPDX-License-Identifier: GPL-3.0-or-later
// Checks a dictionary against what games accept.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "checks/Finding.h"
#include "txd/GameTargets.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Every finding of every rule, texture by texture in dictionary order (each texture's in the
// order of LintRules), then the file's own. `fileBytes` is the file the textures were read
// from (empty for none): textures that still sit in it are also checked for what the reader
// tolerates.
// With a `target`, the dictionary is also checked against what that game reads.
// `versionWord` is the library version it is saved with, where that is not the file's.
std::vector<Finding> LintDictionary(std::span<const std::uint8_t> fileBytes,
                                    const std::vector<TextureEntry>& textures,
                                    const GameTarget* target = nullptr,
                                    std::optional<std::uint32_t> versionWord = std::nullopt);

}  // namespace tinplate
