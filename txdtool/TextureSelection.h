// SPDX-License-Identifier: GPL-3.0-or-later
// The textures an editing command works on: named by -n, all of them, or one NAME operand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "txdtool/CommandLine.h"
#include "txdtool/DictionaryFile.h"

namespace tinplate {

// The textures an edit works on: those named with -n, every one with --all, or the one named
// by the older form's NAME operand.
struct Selection {
    std::vector<std::string> files;
    std::vector<std::string> names;
    bool all = false;
};

// With -n or --all every operand is a dictionary; the older form is exactly FILE.txd NAME.
Selection SelectTextures(const CommandArguments& arguments, std::string_view command);

// The chosen textures of one dictionary, each once; a FileError for a name it lacks.
std::vector<TextureEntry*> Chosen(DictionaryFile& dictionary, const Selection& selection);

}  // namespace tinplate
