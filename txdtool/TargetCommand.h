// SPDX-License-Identifier: GPL-3.0-or-later
// set and target, and the game target words of the other commands.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "txd/GameTargets.h"
#include "txdtool/Command.h"

namespace tinplate {

std::span<const Command> TargetCommands();

// The target a --target word names; a UsageError lists the targets for any other word.
const GameTarget& ParseGameTarget(const std::string& word);

// The empty dictionary `new` writes: for --target, or --platform and --version (5 and 3.6.0.3
// where not given).
std::vector<std::uint8_t> NewDictionaryBytes(const CommandArguments& arguments);

}  // namespace tinplate
