// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A command line that does not say what to do: exit status 2 and a short usage line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options a command may accept.
enum OptionFlags : unsigned {
    kNoOptions = 0,
    kJsonOption = 1u << 0,       // --json
    kDirectoryOption = 1u << 1,  // -C DIR
    kFormatOption = 1u << 2,     // --format FORMAT
    kPictureOptions = 1u << 3,   // --no-dither, --fast
};

// The words after the command name. Options may stand anywhere until "--", after which every
// word is an operand (so a texture may be named "-x").
struct CommandArguments {
    std::vector<std::string> operands;
    bool help = false;
    bool json = false;
    std::optional<std::string> directory;
    std::optional<std::string> format;
    bool noDither = false;
    bool fastDxt = false;
};

CommandArguments ParseCommandArguments(std::span<const std::string> words, unsigned accepted);
