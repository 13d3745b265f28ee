// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandTable.h"

#include <limits>

#include "Commands.h"

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
    {"export", "export FILE.txd [NAME...] [-C DIR] [--format FMT]",
     "write textures as image files (FMT: png, tga, dds or bmp)",
     "Image > Export of each named texture, or of every texture when none is named:\n"
     "8-bit textures become NAME.tga, 32-bit and block-compressed ones NAME.dds. Prints\n"
     "the path of each file made. Textures of other kinds are skipped with a note when\n"
     "exporting all, and are an error when named.\n"
     "  -C DIR         make the files in DIR instead of the current directory\n"
     "  --format FMT   Image > Export As instead, FMT being png, tga, dds or bmp:\n"
     "                 NAME.png, NAME.tga or NAME.bmp hold the picture upright as RGBA\n"
     "                 with the texture's alpha (opaque when it has none), whatever its\n"
     "                 kind (16- and 24-bit ones too); NAME.dds keeps the texture's kind\n"
     "                 (8-bit becomes A8R8G8B8) and every stored level\n",
     1, kAny, kDirectoryOption | kFormatOption, RunExportAny},
    {"import", "import FILE.txd NAME IMAGE [--no-dither] [--fast]",
     "replace a texture from an image file, then save",
     "Replaces texture NAME with the picture in IMAGE, then File > Save. A Targa of an\n"
     "8-bit texture's colour map, an uncompressed 32-bit DDS for a 32-bit texture and a\n"
     "DDS of a block-compressed texture's own kind go in as Image > Import takes them (the\n"
     "image libraries work in IMAGE's folder). Any other PNG, Targa, BMP, JPEG or DDS\n"
     "(DXT1/3/5, A8R8G8B8, X8R8G8B8, R8G8B8; its first level) is converted into the\n"
     "texture's kind, as Image > Import From does: 8-bit textures get the picture's colours\n"
     "reduced to their palette size by libimagequant (palette and indices kept when every\n"
     "colour is already in the palette), DXT textures are compressed by libsquish. The\n"
     "picture must have the texture's size. The smaller levels are made again from it.\n"
     "  --no-dither    reduce colours without dithering\n"
     "  --fast         compress DXT blocks with the faster, rougher fit\n",
     3, 3, kPictureOptions, RunImportAny},
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
    return kCommands;
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}
