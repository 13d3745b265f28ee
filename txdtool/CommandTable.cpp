// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of txdtool, in the order help lists them.
#include "txdtool/CommandTable.h"

#include <vector>

#include "txdtool/ArchiveCommands.h"
#include "txdtool/Commands.h"
#include "txdtool/RestructureCommands.h"
#include "txdtool/TargetCommand.h"

namespace tinplate {

namespace {

constexpr Command kCommands[] = {
    {"list", "list [--json] FILE.txd...", "list the textures and the editor's field texts",
     "One line per texture under a header line, tab-separated: index, name, Width, Height,\n"
     "Bpp, Comp., MipMaps, Alpha, Alpha Flags, Filter Flags, as the editor's fields show\n"
     "them (MipMaps counts the levels after the first), then Levels, the number of levels\n"
     "stored, and Platform when a file is not all platform 5. With several files, each\n"
     "block follows a line naming its file.\n"
     "  --json   one JSON document {\"format\": 1, \"files\": [{\"file\", \"textures\"}]}: per\n"
     "           texture its name (null unless valid UTF-8) and name_hex, its kind word,\n"
     "           header values, offsets and sizes as numbers, the filter word's fields\n"
     "           by name (\"filter\": {\"mode\", \"u\", \"v\"}), the field texts, and the\n"
     "           file's library \"version\" and \"build\"\n",
     1, kAny, kJsonOption, RunList},
    {"check", "check [--json] FILE.txd...", "read each file as Open does and report what is wrong",
     "Prints \"FILE: ok\" or \"FILE: \" and what is wrong with it. The exit status is 1 when\n"
     "any file is not ok.\n"
     "  --json   {\"format\": 1, \"files\": [{\"file\", \"ok\", \"textures\" or \"error\"}]}\n",
     1, kAny, kJsonOption, RunCheck},
    {"lint", "lint [--strict] [--ignore=RULE,...] [--json] FILE.txd...",
     "check dictionaries against what games accept",
     "One line per finding: \"FILE: TEXTURE: severity: message [rule]\" (findings about the\n"
     "file as a whole name no texture). Errors are what a game refuses or shows wrongly,\n"
     "warnings what is wasteful or suspicious, notes information. The exit status is 1\n"
     "when there is an error or a file cannot be read, else 0.\n"
     "  --strict            warnings fail too\n"
     "  --ignore=RULE,...   leave these rules out (may be given several times); the rules\n"
     "                      are listed in txdtool(1)\n"
     "  --target=GAME-PLATFORM  errors for what that game does not read (see target);\n"
     "                      without it, a note names the targets the file fits\n"
     "  --json              {\"format\": 1, \"files\": [{\"file\", \"findings\" or \"error\"}]};\n"
     "                      per finding its texture's index, name and name_hex (null for\n"
     "                      the file), rule, severity, message and values\n",
     1, kAny, kJsonOption | kLintOptions | kTargetOption, RunLint},
    {"diff", "diff [--json] [-q] A.txd B.txd", "tell what changed between two dictionaries",
     "Matches textures by name and prints what was removed, added, renamed (the same\n"
     "texels under another name) and moved, and for textures in both each header value\n"
     "that differs and each level present in both: identical, or how many texels differ,\n"
     "the largest channel difference and the PSNR. Textures of different kinds are\n"
     "compared as the editor draws them. The exit status is 0 when both hold the same\n"
     "textures in the same order with the same bytes, 1 when they differ, 2 on errors.\n"
     "  --json       {\"format\": 1, \"files\": [{\"file\", \"against\", \"same\", \"removed\",\n"
     "               \"added\", \"renamed\", \"moved\", \"changed\"}]}\n"
     "  -q, --quiet  print nothing; only the exit status tells\n",
     2, 2, kJsonOption, RunDiff},
    {"export", "export FILE.txd [NAME...] [-C DIR] [--format=FMT]\nexport FILE.txd NAME -o OUT.FMT",
     "write textures as image files (FMT: png, tga, dds or bmp)",
     "Image > Export of each named texture, or of every texture when none is named:\n"
     "8-bit textures become NAME.tga, 32-bit and block-compressed ones NAME.dds. Prints\n"
     "the path of each file made. 16-bit and 24-bit textures become NAME.dds of their own\n"
     "kind, as --format=dds writes them, with a note; a texture with no picture is skipped\n"
     "with a note, or an error when named; a dictionary with nothing to export is an error.\n"
     "  -C, --directory=DIR   make the files in DIR instead of the current directory; DIR\n"
     "                        and its parents are made when missing\n"
     "  --format=FMT          Image > Export As instead, FMT being png, tga, dds or bmp:\n"
     "                        NAME.png, NAME.tga or NAME.bmp hold the picture upright as\n"
     "                        RGBA with the texture's alpha (opaque when it has none),\n"
     "                        whatever its kind (16- and 24-bit ones too); NAME.dds keeps\n"
     "                        the texture's kind (8-bit becomes A8R8G8B8) and every level\n"
     "  -o, --output=OUT.FMT  Export As of the one texture NAME to OUT.FMT, in the format\n"
     "                        its extension names (.png, .tga, .dds or .bmp), its folders\n"
     "                        made when missing; - writes standard output (PNG unless\n"
     "                        --format names another)\n",
     1, kAny, kDirectoryOption | kFormatOption | kOutputOption, RunExportAny},
    {"import", "import FILE.txd NAME IMAGE\nimport -n NAME IMAGE FILE.txd...",
     "replace a texture from an image file, then save",
     "Replaces texture NAME of each dictionary with the picture in IMAGE, then File > Save.\n"
     "A Targa of an 8-bit texture's colour map, an uncompressed 32-bit DDS for a 32-bit\n"
     "texture and a DDS of a block-compressed texture's own kind go in as Image > Import\n"
     "takes them. Any other PNG, Targa, BMP, JPEG or DDS (DXT1/3/5, A8R8G8B8, X8R8G8B8,\n"
     "R8G8B8; its first level) is converted into the texture's kind, as Image > Import From\n"
     "does: 8-bit textures get the picture's colours reduced to their palette size by\n"
     "libimagequant (palette and indices kept when every colour is already in the palette),\n"
     "DXT textures are compressed by libsquish. The picture must have the texture's size.\n"
     "The smaller levels are made again from it. Prints what was imported.\n"
     "  -n, --name=NAME   the texture to replace; every operand after IMAGE is a dictionary\n"
     "  --no-dither       reduce colours without dithering\n"
     "  --fast            compress DXT blocks with the faster, rougher fit\n",
     2, kAny, kNameOption | kPictureOptions, RunImport},
    {"swizzle", "swizzle FILE.txd...", "Swizzle All, then save",
     "Converts the first level of every texture that can be converted from row order to\n"
     "swizzled (Morton) order, then File > Save. Prints the names of the textures converted\n"
     "(after \"FILE: \" with several files); when there are none, the file is not written.\n",
     1, kAny, kNoOptions, RunSwizzle},
    {"unswizzle", "unswizzle FILE.txd...", "Unswizzle All, then save",
     "Converts the first level of every texture that can be converted from swizzled (Morton)\n"
     "order to row order, then File > Save. Prints the names of the textures converted\n"
     "(after \"FILE: \" with several files); when there are none, the file is not written.\n",
     1, kAny, kNoOptions, RunUnswizzle},
    {"flip", "flip FILE.txd NAME\nflip {-n NAME|--all} FILE.txd...",
     "flip textures top to bottom, then save",
     "Image > Flip of texture NAME, then File > Save.\n"
     "  -n, --name=NAME   flip this texture (may be given several times); every operand is\n"
     "                    a dictionary\n"
     "  -a, --all         flip every texture; those that cannot be flipped are skipped\n",
     1, kAny, kNameOption | kAllOption, RunFlip},
    {"alpha", "alpha FILE.txd NAME yes|no\nalpha {-n NAME|--all} yes|no FILE.txd...",
     "set alpha flags, then save",
     "Alpha > Set Alpha To Yes or No of texture NAME, then File > Save. A flag that already\n"
     "has that value leaves the file unwritten.\n"
     "  -n, --name=NAME   set this texture's flag (may be given several times)\n"
     "  -a, --all         set every texture's flag\n",
     2, kAny, kNameOption | kAllOption, RunAlpha},
    {"platform", "platform FILE.txd... 5|8|9|ps2 [--linear|--swizzled]",
     "convert dictionaries to another platform's layout, then save",
     "Every texture of each dictionary is written in the layout of platform id 5,\n"
     "8 (Direct3D 8), 9 (Direct3D 9) or the PS2's, the whole file replaced at once.\n"
     "Palettes, texels and DXT blocks keep their values and every picture stays as the game\n"
     "draws it: each platform 5 texture is read in its own order (swizzled or linear, as\n"
     "list -v shows) and uncompressed levels are stored swizzled on platform 5. A texture\n"
     "that cannot be converted (sides that are not powers of two, a kind the target cannot\n"
     "hold) leaves its dictionary as it was. Kinds the PS2 cannot hold become ones it can\n"
     "(see the manual page). Prints the names of the textures converted.\n"
     "  --linear     every platform 5 level is read, or stored, in row order\n"
     "  --swizzled   every platform 5 level is read, or stored, swizzled\n",
     2, kAny, kLinearOption, RunPlatform},
    {"preview", "preview [--game] FILE.txd NAME -o OUT.png", "write the picture the editor shows",
     "The picture the editor shows for texture NAME (larger textures scaled to 256 x 256),\n"
     "opaque, as PNG, Targa or BMP as OUT's extension says (.png, .tga or .bmp).\n"
     "  -o, --output=OUT.png   where to write it; - for a PNG on standard output (OUT.png\n"
     "                         may also follow NAME)\n"
     "  --game                 the picture as the game draws it (View > As the Game Draws It)\n",
     2, 3, kOutputOption | kGameOption, RunPreview},
    {"thumbnail", "thumbnail [-s SIZE] FILE.txd OUT.png",
     "write a picture of the largest textures as PNG, for file managers",
     "A grid of the dictionary's largest textures (up to 16, largest first), each fitted into\n"
     "its cell on a transparent background; a single texture fills the picture. Each is made\n"
     "from its smallest stored level that is at least as large as its cell. Nothing but\n"
     "OUT.png is written, and nothing at all when there is no texture to show; a name\n"
     "ending in another picture format's extension is refused.\n"
     "  -s, --size=SIZE   the longer side of the picture, 1 to 4096 (default 256)\n",
     2, 2, kSizeOption, RunThumbnail},
    {"find", "find [--json] [-i] [--mask] PATTERN PATH...",
     "find textures by name in every dictionary under folders and in IMG archives",
     "Searches each PATH: a folder and everything under it (dictionaries named *.txd, IMG\n"
     "archives named *.img; symbolic links inside are not followed), or a dictionary or\n"
     "archive itself. PATTERN is a shell glob on texture names (* ? [...]; quote it).\n"
     "Prints one line per match, \"WHERE: NAME (W \u00d7 H KIND)\", WHERE being the file or\n"
     "ARCHIVE.img:ENTRY.txd. Only headers are read. What cannot be read is reported and the\n"
     "search goes on. The exit status is 0 when something matched, 1 when nothing did, 2\n"
     "when something could not be read.\n"
     "  -i, --ignore-case   letter case does not count\n"
     "  --mask              mask names may match too\n"
     "  --json              {\"format\": 1, \"matches\": [{\"where\": {\"file\", \"entry\"},\n"
     "                      \"index\", \"name\", \"mask\", \"width\", \"height\", \"kind\",\n"
     "                      \"platform\", \"mip_levels\"}], \"errors\": [{\"where\", \"error\"}]}\n",
     2, kAny, kJsonOption | kFindOptions, RunFind},
    {"index", "index [--json] [--pictures] PATH...",
     "list every texture under folders and in IMG archives",
     "Every texture of every dictionary found as find finds them, one tab-separated line\n"
     "each under a header line: where, index, name, mask, width, height, kind, platform,\n"
     "mip levels. Only headers are read. The exit status is 1 when something could not be\n"
     "read (each is reported, the others are listed).\n"
     "  --pictures   add a digest of each first level's picture as the game draws it: equal\n"
     "               for the same picture on any platform; \"-\" for a kind without one\n"
     "  --json       {\"format\": 1, \"textures\": [...], \"errors\": [...]}: each texture\n"
     "               as list --json gives it, with \"where\", \"mask\" and \"picture\"\n",
     1, kAny, kJsonOption | kPicturesOption, RunIndex},
    {"duplicates", "duplicates [--json] PATH...",
     "find textures whose pictures are stored more than once",
     "Groups the textures found as find finds them by their first level's picture as the\n"
     "game draws it (one picture on platforms 5, 8 and 9 is one group), largest saving\n"
     "first: the name and place of each copy and the bytes that removing all but the\n"
     "first copy would save, then a summary line. Block-compressed pictures count as\n"
     "copies when their blocks are equal. The exit status is 1 when something could not\n"
     "be read.\n"
     "  --json   {\"format\": 1, \"groups\": [{\"picture\", \"width\", \"height\",\n"
     "           \"saved_bytes\", \"textures\": [{\"where\", \"index\", \"name\", \"bytes\"}]}],\n"
     "           \"errors\": [...]}\n",
     1, kAny, kJsonOption, RunDuplicates},
};

}  // namespace

std::span<const Command> AllCommands() {
    static const std::vector<Command> all = [] {
        std::vector<Command> commands(std::begin(kCommands), std::end(kCommands));
        for (const auto more : {RestructureCommands(), ArchiveCommands(), TargetCommands()}) {
            commands.insert(commands.end(), more.begin(), more.end());
        }
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

}  // namespace tinplate
