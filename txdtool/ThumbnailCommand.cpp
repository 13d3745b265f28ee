// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail command: the dictionary at a glance as a PNG.
#include <algorithm>
#include <cctype>
#include <charconv>

#include "exchange/PictureFormat.h"
#include "fileio/FileError.h"
#include "texture/DictionaryThumbnail.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Paths.h"
#include "txdtool/PngFile.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kDefaultSize = 256;
constexpr std::uint32_t kLargestSize = 4096;

std::uint32_t ParseSize(const std::optional<std::string>& word) {
    if (!word) {
        return kDefaultSize;
    }
    std::uint32_t size = 0;
    const auto [end, error] = std::from_chars(word->data(), word->data() + word->size(), size);
    if (error != std::errc() || end != word->data() + word->size() || size == 0 ||
        size > kLargestSize) {
        throw UsageError("the size is a number from 1 to " + std::to_string(kLargestSize) +
                         ", not " + *word);
    }
    return size;
}

}  // namespace

// thumbnail [-s SIZE] FILE.txd OUT.png: all in memory and nothing written but OUT.png, as file
// managers run it in a sandbox that may offer no other writable folder.
int RunThumbnail(const CommandArguments& arguments) {
    const std::string& output = arguments.operands[1];
    std::string extension = ExtensionWord(output);
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (PictureFormatNamed(extension).value_or(PictureFormat::Png) != PictureFormat::Png ||
        extension == "jpg" || extension == "jpeg") {
        throw UsageError("a thumbnail is written as PNG: name it .png, not " + output);
    }
    const std::uint32_t size = ParseSize(arguments.size);
    DictionaryFile dictionary(arguments.operands[0]);
    const RgbaImage picture = DictionaryThumbnail(dictionary.textures(), size);
    if (picture.rgba.empty()) {
        throw FileError(dictionary.shownName(), "the dictionary holds no texture with a picture");
    }
    // File managers keep thumbnails in a cache of their own and remake any that go missing.
    WritePng(output, picture, Durability::Remakeable);
    return 0;
}

}  // namespace tinplate
