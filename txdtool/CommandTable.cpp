// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandTable.h"

#include <limits>
#include <vector>

#include "Commands.h"
#include "RestructureCommands.h"

namespace {

constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

constexpr Command kCommands[] = {
    {"list", "list [--json] FILE.txd...", "list the textures and the editor's field texts",
     "One line per texture under a header line, tab-separated: index, name, Width, Height,\n"
     "Bpp, Comp., MipMaps, Alpha, Alpha Flags, Filter Flags, as the editor's fields show\n"
     "them. With several files, each block follows a line naming its file.\n"
     "  --json   the same as a JSON array of {\"file\", \"textures\"} objects\n",
     1, kAny, kJsonOption, RunList},
    {"check", "check FILE.txd...", "read each file as Open does and report what is wrong",
     "Prints \"FILE: ok\" or \"FILE: \" and what is wrong with it. The exit status is 1 when\n"
     "any file is not ok.\n",
     1, kAny, kNoOptions, RunCheck},
    {"export", "export FILE.txd [NAME...] [-C DIR]", "write textures as TGA or DDS files",
     "Image > Export of each named texture, or of every texture when none is named:\n"
     "8-bit textures become NAME.tga, 32-bit and block-compressed ones NAME.dds. Prints\n"
     "the path of each file made. Textures of other kinds are skipped with a note when\n"
     "exporting all, and are an error when named.\n"
     "  -C DIR   make the files in DIR instead of the current directory\n",
     1, kAny, kDirectoryOption, RunExport},
    {"import", "import FILE.txd NAME IMAGE", "replace a texture from an image file, then save",
     "Image > Import of IMAGE (a Targa for 8-bit textures, a DDS for 32-bit and\n"
     "block-compressed ones) into texture NAME, then File > Save. The image must have the\n"
     "texture's size and kind; the image libraries work in IMAGE's folder.\n",
     3, 3, kNoOptions, RunImport},
    {"swizzle", "swizzle FILE.txd", "Swizzle All, then save",
     "Converts the first level of every texture that can be converted from row order to\n"
     "swizzled (Morton) order, then File > Save. Prints the names of the textures converted;\n"
     "when there are none, the file is not written.\n",
     1, 1, kNoOptions, RunSwizzle},
    {"unswizzle", "unswizzle FILE.txd", "Unswizzle All, then save",
     "Converts the first level of every texture that can be converted from swizzled (Morton)\n"
     "order to row order, then File > Save. Prints the names of the textures converted;\n"
     "when there are none, the file is not written.\n",
     1, 1, kNoOptions, RunUnswizzle},
    {"flip", "flip FILE.txd NAME", "flip a texture top to bottom, then save",
     "Image > Flip of texture NAME, then File > Save.\n", 2, 2, kNoOptions, RunFlip},
    {"alpha", "alpha FILE.txd NAME yes|no", "set a texture's alpha flag, then save",
     "Alpha > Set Alpha To Yes or No of texture NAME, then File > Save. A flag that already\n"
     "has that value leaves the file unwritten.\n",
     3, 3, kNoOptions, RunAlpha},
    {"preview", "preview FILE.txd NAME OUT.png", "write the picture the editor shows as PNG",
     "The picture the editor shows for texture NAME (larger textures scaled to 256 x 256),\n"
     "written to OUT.png. The working files are made in the dictionary's folder.\n",
     3, 3, kNoOptions, RunPreview},
};

}  // namespace

std::span<const Command> AllCommands() {
    static const std::vector<Command> all = [] {
        std::vector<Command> commands(std::begin(kCommands), std::end(kCommands));
        const auto more = RestructureCommands();
        commands.insert(commands.end(), more.begin(), more.end());
        return commands;
    }();
    return all;
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : AllCommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}
