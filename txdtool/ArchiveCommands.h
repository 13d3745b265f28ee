// SPDX-License-Identifier: GPL-3.0-or-later
// The img command, and the dictionaries inside archives that other commands take.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "txdtool/Command.h"

namespace tinplate {

// img list, extract, add, remove, rename, pack, new and check.
std::span<const Command> ArchiveCommands();

// The operands with each archive among them (an existing .img or .dir) replaced by its
// dictionary entries as "ARCHIVE:ENTRY". The faults of such an archive's directory are
// reported and make `status` 1.
std::vector<std::string> DictionaryOperands(const std::vector<std::string>& operands, int& status);

}  // namespace tinplate
