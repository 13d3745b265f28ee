// SPDX-License-Identifier: GPL-3.0-or-later
// export with --format (pictures of any format) and import of pictures that need converting.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "edits/TextureName.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/ExportAs.h"
#include "exchange/ImportFrom.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "txd/TextureKinds.h"
#include "txdtool/Batch.h"
#include "txdtool/CommandLine.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/PictureImport.h"
#include "txdtool/Products.h"
#include "txdtool/Report.h"
#include "txdtool/StandardStreams.h"
#include "workfiles/DdsFile.h"

namespace tinplate {

// Export with --format and import of any picture: the picture converters of the core, beside
// the window's own Export and Import, which keep making and taking the files they always did.

namespace {

constexpr std::size_t kDdsPixelFlagsOffset = 80;
constexpr std::size_t kDdsBitCountOffset = 88;
constexpr std::uint32_t kDdsRgbFlag = 0x40;

}  // namespace

bool IsImportFileAsTaken(const TextureRecord& record, const std::vector<std::uint8_t>& file) {
    const bool dds = file.size() >= kDdsHeaderSize && std::memcmp(file.data(), "DDS ", 4) == 0;
    const TextureKind kind = KindOf(record);
    if (IsPalettised(kind)) {
        return file.size() >= 18 && file[1] == 1 && (file[2] == 1 || file[2] == 9) &&
               file[16] == 8 && ReadLe16(file, 3) + ReadLe16(file, 5) == record.paletteSize / 4;
    }
    if (kind == TextureKind::kRgba32) {
        return dds && (ReadLe32(file, kDdsPixelFlagsOffset) & kDdsRgbFlag) != 0 &&
               ReadLe32(file, kDdsBitCountOffset) == 32;
    }
    const char* fourCc = FactsOf(kind).fourCc;
    return dds && fourCc != nullptr && std::memcmp(&file[kDdsFourCcOffset], fourCc, 4) == 0;
}

namespace {

std::vector<const TextureEntry*> TexturesWithPictures(DictionaryFile& dictionary,
                                                      const std::vector<std::string>& names) {
    std::vector<const TextureEntry*> chosen;
    for (const TextureEntry& texture : dictionary.textures()) {
        if (names.empty()) {
            chosen.push_back(&texture);
        }
    }
    for (const std::string& name : names) {
        const TextureEntry& texture = dictionary.Find(name);
        if (!HasPicture(texture.record)) {
            throw FileError(dictionary.shownName(),
                            TextureAndKind(texture) + " is of a kind that makes no picture");
        }
        chosen.push_back(&texture);
    }
    for (const TextureEntry* texture : chosen) {
        if (HasPicture(texture->record)) {
            RequireSafeTextureName(texture->name);
        }
    }
    return chosen;
}

// export FILE.txd NAME -o OUT: Export As of one texture to the file the user names, in the
// format its extension names.
int ExportOneAs(const CommandArguments& arguments, std::optional<PictureFormat> format) {
    const std::string& output = *arguments.output;
    if (arguments.operands.size() != 2) {
        throw UsageError("export -o writes one texture: name exactly one");
    }
    if (arguments.directory) {
        throw UsageError("-o and -C cannot be given together");
    }
    if (IsStandardStream(output)) {
        DictionaryFile dictionary(arguments.operands[0]);
        const TextureEntry& texture = *TexturesWithPictures(dictionary, {arguments.operands[1]})[0];
        WriteStandardOutput(
            EncodeTextureAs(texture.record, output, format.value_or(PictureFormat::Png)));
        return 0;
    }
    const auto named = PictureFormatNamed(ExtensionWord(output));
    if (!named || (format && *format != *named)) {
        throw UsageError("the name given to -o must end in " +
                         (format ? ExtensionOf(*format) : std::string(".png, .tga, .dds or .bmp")) +
                         ", not " + output);
    }
    DictionaryFile dictionary(arguments.operands[0]);
    const TextureEntry& texture = *TexturesWithPictures(dictionary, {arguments.operands[1]})[0];
    MakeFolderOf(output);
    WritingProduct(output, [&] { ExportTextureAs(texture.record, output, *named); });
    ReportProduct(output);
    return 0;
}

}  // namespace

int RunExportAny(const CommandArguments& arguments) {
    std::optional<PictureFormat> format;
    if (arguments.format) {
        format = PictureFormatNamed(*arguments.format);
        if (!format) {
            throw UsageError("unknown format " + *arguments.format + "; png, tga, dds or bmp");
        }
    }
    if (arguments.output) {
        return ExportOneAs(arguments, format);
    }
    if (!format) {
        return RunExport(arguments);
    }
    DictionaryFile dictionary(arguments.operands[0]);
    const std::vector<std::string> names(arguments.operands.begin() + 1, arguments.operands.end());
    const auto textures = TexturesWithPictures(dictionary, names);
    RequireProducts(
        dictionary,
        std::ranges::count_if(
            textures, [](const TextureEntry* texture) { return HasPicture(texture->record); }),
        "a picture");
    const std::filesystem::path folder = ProductFolder(arguments.directory);
    for (const TextureEntry* texture : textures) {
        if (!HasPicture(texture->record)) {
            ReportNote(dictionary.shownName(),
                       "skipped " + TextureAndKind(*texture) + ": its kind makes no picture");
            continue;
        }
        const std::string product = (folder / (texture->name + ExtensionOf(*format))).string();
        WritingProduct(product, [&] { ExportTextureAs(texture->record, product, *format); });
        ReportProduct(product);
    }
    return 0;
}

void ImportPicture(DictionaryFile& dictionary, TextureEntry& texture, const std::string& image,
                   const CommandArguments& arguments) {
    if (!HasPicture(texture.record)) {
        throw FileError(dictionary.shownName(),
                        TextureAndKind(texture) + " is of a kind that takes no picture");
    }
    PictureImportOptions options;
    options.dither = !arguments.noDither;
    options.dxtQuality = arguments.fastDxt ? DxtQuality::Fast : DxtQuality::Best;
    ImportPictureFile(texture.record, image, options);
}

}  // namespace tinplate
