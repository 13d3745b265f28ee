// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that make dictionaries and change their structure.
#pragma once

#include <span>

#include "txdtool/Command.h"

namespace tinplate {

// The commands that make dictionaries and change their structure: new, add, remove, rename,
// replace, convert, resize, mipmaps, move, save-as. Each writes the whole file, or nothing
// when it fails or finds nothing to do.
std::span<const Command> RestructureCommands();

}  // namespace tinplate
