// SPDX-License-Identifier: GPL-3.0-or-later
// new, add, remove, rename, replace, convert, resize, mipmaps, move and save-as.
#include "txdtool/RestructureCommands.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <type_traits>

#include "edits/DictionaryEdits.h"
#include "edits/EditRefused.h"
#include "exchange/ImportFrom.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "txd/DictionaryWriter.h"
#include "txd/GameTargets.h"
#include "txdtool/Batch.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/TargetCommand.h"

namespace tinplate {

namespace {

// Kind words are taken in any letter case: DXT1 is how people write it.
std::optional<TextureKind> KindInAnyCase(std::string word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return KindFromWord(word);
}

TextureKind ParseKind(const std::string& word) {
    if (const auto kind = KindInAnyCase(word)) {
        return *kind;
    }
    throw UsageError("unknown kind " + word +
                     "; the kinds are pal8, pal8-32, rgba32, dxt1, dxt3 and dxt5");
}

std::uint32_t ParseSide(const std::string& word) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
        throw UsageError("a side is a number, not " + word);
    }
    return value;
}

bool ParseChoice(const std::string& word, const char* yes, const char* no) {
    if (word == yes || word == no) {
        return word == yes;
    }
    throw UsageError(std::string("expected ") + yes + " or " + no + ", not " + word);
}

PictureImportOptions PictureOptions(const CommandArguments& arguments) {
    PictureImportOptions options;
    options.dither = !arguments.noDither;
    options.dxtQuality = arguments.fastDxt ? DxtQuality::Fast : DxtQuality::Best;
    options.beyondPlatform = arguments.force;
    return options;
}

using Textures = std::vector<TextureEntry>;

// Runs `edit` on the list of the dictionary named first, under its lock, with the index of the
// texture named second (when `named`), and saves it whole when the list no longer matches the
// file. A refused edit names the dictionary and leaves the file as it was.
template <typename Edit>
int EditDictionary(std::string_view command, const CommandArguments& arguments, bool named,
                   Edit edit) {
    return EditEachDictionary(
        command, {arguments.operands[0]}, [&](DictionaryFile& dictionary, GfxBinding&) {
            Textures& textures = dictionary.textures();
            const std::size_t index =
                named ? static_cast<std::size_t>(&dictionary.Find(arguments.operands[1]) -
                                                 textures.data())
                      : 0;
            try {
                if constexpr (std::is_invocable_v<Edit&, Textures&, std::size_t,
                                                  std::span<const std::uint8_t>>) {
                    edit(textures, index, dictionary.bytes());
                } else {
                    edit(textures, index);
                }
            } catch (const EditRefused& refusal) {
                throw FileError(dictionary.shownName(), refusal.what());
            }
            return Edited{IsRestructured(dictionary.bytes(), textures), {}};
        });
}

int RunNew(const CommandArguments& arguments) {
    const std::string& path = arguments.operands[0];
    if (FileExists(path)) {
        throw FileError(path,
                        "the file already exists; a new dictionary is never written over one");
    }
    WriteDictionaryFile(path, NewDictionaryBytes(arguments), {});
    return 0;
}

std::string StemOf(const std::string& image) {
    return std::filesystem::path(image).stem().string();
}

// FILE.txd IMAGE KIND [NAME], or FILE.txd KIND IMAGE... to add several pictures in one edit,
// each named after its file. A kind word in the second place picks the second form, unless the
// third is one too (then the second word can only be a picture's file name).
int RunAdd(const CommandArguments& arguments) {
    const auto& operands = arguments.operands;
    const bool several = KindInAnyCase(operands[1]) && !KindInAnyCase(operands[2]);
    if (!several && !KindInAnyCase(operands[2]) && !FileExists(operands[1]) &&
        FileExists(operands[2])) {
        ParseKind(operands[1]);  // a mistyped kind word before the picture: name the word
    }
    if (!several && operands.size() > 4) {
        throw UsageError("too many arguments for add");
    }
    const TextureKind kind = ParseKind(operands[several ? 1 : 2]);
    std::vector<std::pair<std::string, std::string>> pictures;  // image, name
    if (several) {
        for (std::size_t i = 2; i < operands.size(); ++i) {
            pictures.emplace_back(operands[i], StemOf(operands[i]));
        }
    } else {
        pictures.emplace_back(operands[1], operands.size() > 3 ? operands[3] : StemOf(operands[1]));
    }
    return EditDictionary("add", arguments, false,
                          [&](Textures& textures, std::size_t, std::span<const std::uint8_t> file) {
                              for (const auto& [image, name] : pictures) {
                                  AddTexture(textures, name, ReadPictureFile(image), kind,
                                             PictureOptions(arguments),
                                             PlatformOfEmptyDictionary(file));
                              }
                          });
}

int RunRemove(const CommandArguments& arguments) {
    return EditDictionary("remove", arguments, true, [](Textures& textures, std::size_t index) {
        RemoveTexture(textures, index);
    });
}

int RunRename(const CommandArguments& arguments) {
    return EditDictionary("rename", arguments, true, [&](Textures& textures, std::size_t index) {
        RenameTexture(textures, index, arguments.operands[2]);
    });
}

int RunReplace(const CommandArguments& arguments) {
    return EditDictionary("replace", arguments, true, [&](Textures& textures, std::size_t index) {
        ReplaceTexture(textures, index, ReadPictureFile(arguments.operands[2]),
                       PictureOptions(arguments));
    });
}

int RunConvert(const CommandArguments& arguments) {
    const TextureKind kind = ParseKind(arguments.operands[2]);
    return EditDictionary("convert", arguments, true, [&](Textures& textures, std::size_t index) {
        ChangeKind(textures, index, kind, PictureOptions(arguments));
    });
}

int RunResize(const CommandArguments& arguments) {
    const std::uint32_t width = ParseSide(arguments.operands[2]);
    const std::uint32_t height = ParseSide(arguments.operands[3]);
    return EditDictionary("resize", arguments, true, [&](Textures& textures, std::size_t index) {
        ResizeTexture(textures, index, width, height, PictureOptions(arguments));
    });
}

int RunMipmaps(const CommandArguments& arguments) {
    const bool make = ParseChoice(arguments.operands[2], "make", "remove");
    return EditDictionary("mipmaps", arguments, true, [&](Textures& textures, std::size_t index) {
        make ? MakeMipLevels(textures, index, PictureOptions(arguments))
             : RemoveMipLevels(textures, index);
    });
}

int RunMove(const CommandArguments& arguments) {
    const bool up = ParseChoice(arguments.operands[2], "up", "down");
    return EditDictionary("move", arguments, true, [&](Textures& textures, std::size_t index) {
        MoveTexture(textures, index, up ? MoveDirection::kUp : MoveDirection::kDown);
    });
}

int RunSaveAs(const CommandArguments& arguments) {
    DictionaryFile dictionary(arguments.operands[0]);
    WriteDictionaryFile(arguments.operands[1], dictionary.bytes(), dictionary.textures());
    return 0;
}

// Every command that makes pixels anew takes these.
#define TXDTOOL_PICTURE_OPTIONS_HELP                                  \
    "  --no-dither   reduce colours to a palette without dithering\n" \
    "  --fast        compress DXT blocks with the faster, rougher fit\n"

// Every command that makes a texture of new sides or kind takes this.
#define TXDTOOL_FORCE_HELP                                                                 \
    "  --force       make the texture even where its platform cannot hold it (sides\n"     \
    "                that are not powers of two for an uncompressed platform 5 texture,\n" \
    "                sides over the platform's maximum)\n"

constexpr Command kRestructureCommands[] = {
    {"new", "new [--target=T | --platform=ID --version=V] OUT.txd", "make an empty dictionary",
     "Writes a dictionary with no textures to OUT.txd, which must not exist yet. Textures\n"
     "added to it take its platform, which an empty dictionary records from version\n"
     "3.6.0.0 on; before, only the platform its version's game writes can be made.\n"
     "  --target=T      for this game and platform, T being GAME-PLATFORM (see target)\n"
     "  --platform=ID   platform id 5, 8 or 9 (default 5)\n"
     "  --version=V     library version, like 3.4.0.3 (default 3.6.0.3)\n",
     1, 1, kTargetOption | kLayoutOptions, RunNew},
    {"add", "add FILE.txd IMAGE KIND [NAME]\nadd FILE.txd KIND IMAGE...",
     "add textures drawn from image files",
     "Adds a texture of KIND at the end: pal8 or pal8-32 (8-bit with 256 or 32 colours,\n"
     "reduced by libimagequant), rgba32, dxt1, dxt3 or dxt5 (compressed by libsquish), in\n"
     "any letter case. IMAGE is a PNG, Targa, BMP, JPEG or DDS file; the texture takes its\n"
     "size. NAME defaults to IMAGE's file name without its extension. The second form adds\n"
     "one texture per IMAGE, each named so, all or none. Names are 1 to 31 bytes of printable "
     "ASCII\n"
     "without / or \\, not . or .., and differ from every other name in more than letter\n"
     "case. Every command that changes the list writes the whole file the crash-safe way,\n"
     "under the dictionary's lock.\n" TXDTOOL_PICTURE_OPTIONS_HELP TXDTOOL_FORCE_HELP,
     3, kAny, kPictureOptions | kForceOption, RunAdd},
    {"remove", "remove FILE.txd NAME", "remove a texture",
     "Removes texture NAME; every other texture is kept byte for byte.\n", 2, 2, kNoOptions,
     RunRemove},
    {"rename", "rename FILE.txd NAME NEWNAME", "rename a texture",
     "Gives texture NAME the name NEWNAME (rules as for add).\n", 3, 3, kNoOptions, RunRename},
    {"replace", "replace FILE.txd NAME IMAGE", "draw a texture anew from an image file",
     "Texture NAME shows IMAGE (as for add) and takes its size; it keeps its kind, and a\n"
     "texture with mip levels gets a full chain at the new size.\n" TXDTOOL_PICTURE_OPTIONS_HELP
         TXDTOOL_FORCE_HELP,
     3, 3, kPictureOptions | kForceOption, RunReplace},
    {"convert", "convert FILE.txd NAME KIND", "change a texture's kind",
     "Converts texture NAME to KIND (as for add); its mip levels are made "
     "again.\n" TXDTOOL_PICTURE_OPTIONS_HELP TXDTOOL_FORCE_HELP,
     3, 3, kPictureOptions | kForceOption, RunConvert},
    {"resize", "resize FILE.txd NAME WIDTH HEIGHT", "give a texture another size",
     "Scales texture NAME with a box filter to WIDTH x HEIGHT, both powers of two; a texture\n"
     "with mip levels gets a full chain down to 1 x 1 at its new "
     "size.\n" TXDTOOL_PICTURE_OPTIONS_HELP TXDTOOL_FORCE_HELP,
     4, 4, kPictureOptions | kForceOption, RunResize},
    {"mipmaps", "mipmaps FILE.txd NAME make|remove", "make or remove a texture's mip levels",
     "make: a full chain of levels down to 1 x 1, filtered from the first level, which stays\n"
     "as it is. remove: the first level alone.\n" TXDTOOL_PICTURE_OPTIONS_HELP,
     3, 3, kPictureOptions, RunMipmaps},
    {"move", "move FILE.txd NAME up|down", "move a texture one place in the file",
     "Moves texture NAME one place towards the start (up) or the end (down) of the file.\n", 3, 3,
     kNoOptions, RunMove},
    {"save-as", "save-as FILE.txd OUT.txd", "write the dictionary to another file",
     "Writes FILE.txd to OUT.txd (replacing it), byte for byte as read.\n", 2, 2, kNoOptions,
     RunSaveAs},
};

}  // namespace

std::span<const Command> RestructureCommands() {
    return kRestructureCommands;
}

}  // namespace tinplate
