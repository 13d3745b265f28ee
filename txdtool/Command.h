// SPDX-License-Identifier: GPL-3.0-or-later
// One txdtool command as its table entry: its name, help texts, operand counts and handler.
#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

#include "txdtool/CommandLine.h"

namespace tinplate {

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

}  // namespace tinplate
