// SPDX-License-Identifier: GPL-3.0-or-later
// The preview command: a texture's picture as the window shows it, as a PNG.
#include "fileio/FileError.h"
#include "preview/Preview.h"
#include "texture/GamePreview.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/PreviewFile.h"
#include "txdtool/Products.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

// preview FILE.txd NAME -o OUT.png (or .tga, .bmp), or the older FILE.txd NAME OUT.png; "-o -"
// writes a PNG to standard output.
int RunPreview(const CommandArguments& arguments) {
    const auto& operands = arguments.operands;
    const std::size_t expected = arguments.output ? 2 : 3;
    if (operands.size() != expected) {
        throw UsageError(operands.size() == 2         ? "preview needs -o OUT.png"
                         : operands.size() < expected ? "too few arguments for preview"
                                                      : "too many arguments for preview");
    }
    const std::string& output = arguments.output ? *arguments.output : operands[2];
    const PictureFormat format = PreviewFormatFor(output);
    DictionaryFile dictionary(operands[0]);
    const TextureEntry& texture = dictionary.Find(operands[1]);
    GfxBinding gfx;
    const PreviewPicture picture =
        arguments.game ? RenderGamePreview(texture.record) : RenderPreview(texture.record, gfx);
    switch (picture.change) {
        case PreviewPicture::Change::Keep:
            throw FileError(dictionary.shownName(),
                            TextureAndKind(texture) + " is of a kind the editor does not draw");
        case PreviewPicture::Change::Clear:
            throw FileError(dictionary.shownName(),
                            "the picture could not be made (is libmwgfx.so missing?)");
        case PreviewPicture::Change::Show:
            break;
    }
    WritingProduct(output, [&] { WritePreviewFile(output, format, picture.image); });
    return 0;
}

}  // namespace tinplate
