// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <string_view>

#include "CommandLine.h"

// mostOperands of a command that takes any number.
inline constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

struct Command {
    std::string_view name;
    std::string_view synopsis;  // the words after "txdtool"; one line per form
    std::string_view summary;   // one line for the overview
    std::string_view details;   // the rest of "txdtool COMMAND --help"
    std::size_t fewestOperands;
    std::size_t mostOperands;
    unsigned options;
    int (*run)(const CommandArguments&);
};

std::span<const Command> AllCommands();

// nullptr for a name that is no command.
const Command* FindCommand(std::string_view name);
