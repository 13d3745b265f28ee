// SPDX-License-Identifier: GPL-3.0-or-later
// The table of every txdtool command, looked up by name.
#pragma once

#include <span>
#include <string_view>

#include "txdtool/Command.h"

namespace tinplate {

std::span<const Command> AllCommands();

// nullptr for a name that is no command.
const Command* FindCommand(std::string_view name);

}  // namespace tinplate
