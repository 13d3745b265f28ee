// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool's command line: options, operands and usage errors.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// A command line that does not say what to do: exit status 2 and a short usage line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options a command may accept besides -h, -q and -v, which every command takes.
enum OptionFlags : unsigned {
    kNoOptions = 0,
    kJsonOption = 1u << 0,       // --json[=yes|no]
    kDirectoryOption = 1u << 1,  // -C DIR
    kNameOption = 1u << 2,       // -n NAME, repeatable: the operands are all dictionaries
    kAllOption = 1u << 3,        // -a, --all: every texture; the operands are all dictionaries
    kOutputOption = 1u << 4,     // -o FILE, "-" for standard output
    kFormatOption = 1u << 5,     // --format=FORMAT
    kPictureOptions = 1u << 6,   // --no-dither, --fast
    kSizeOption = 1u << 7,       // -s SIZE
    kLinearOption = 1u << 8,     // --linear, --swizzled
    kLintOptions = 1u << 9,      // --strict, --ignore=RULE,...
    kGameOption = 1u << 10,      // --game
    kForceOption = 1u << 11,     // --force
    kArchiveVersionOption = 1u << 12,  // --version=1|2 of a new archive
    kSetOptions = 1u << 13,      // --filter, --u, --v, --mask
    kTargetOption = 1u << 14,    // --target=GAME-PLATFORM
    kLayoutOptions = 1u << 15,   // --platform=ID, --version=VERSION
    kFindOptions = 1u << 20,     // -i, --ignore-case; --mask
    kPicturesOption = 1u << 21,  // --pictures
};

enum class Verbosity { Quiet, Normal, Verbose };

// The words after the command name, in GNU style: options may stand anywhere until "--", after
// which every word is an operand (so a texture may be named "-x"); short options bundle (-qa)
// and take their value joined or as the next word (-Cout, -C out); long options take theirs
// after "=" or as the next word.
struct CommandArguments {
    std::vector<std::string> operands;
    bool help = false;
    bool json = false;
    std::optional<std::string> directory;
    std::vector<std::string> names;
    bool all = false;
    std::optional<std::string> output;
    std::optional<Verbosity> verbosity;

    // -n or --all picked the textures, so every operand names a dictionary.
    bool TexturesChosen() const { return all || !names.empty(); }
    std::optional<std::string> format;
    bool noDither = false;
    bool fastDxt = false;
    bool strict = false;
    std::vector<std::string> ignoredRules;  // as given, unchecked
    std::optional<std::string> size;
    std::optional<TexelOrder> order;  // --linear, --swizzled
    bool game = false;                // --game: the picture as the game draws it
    bool force = false;               // --force: also what the platform cannot hold
    bool ignoreCase = false;
    bool masks = false;
    bool pictures = false;
    std::optional<std::string> archiveVersion;  // as given, unchecked
    // Texture properties and targets, as given, unchecked.
    std::optional<std::string> filter;
    std::optional<std::string> u;
    std::optional<std::string> v;
    std::optional<std::string> mask;
    std::optional<std::string> target;
    std::optional<std::string> platform;
    std::optional<std::string> version;
};

CommandArguments ParseCommandArguments(std::span<const std::string> words, unsigned accepted);

}  // namespace tinplate
