// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"
#include "DictionaryFile.h"
#include "FileError.h"
#include "PngFile.h"
#include "Preview.h"

int RunPreview(const CommandArguments& arguments) {
    DictionaryFile dictionary(arguments.operands[0]);
    const TextureEntry& texture = dictionary.Find(arguments.operands[1]);
    const std::string& output = arguments.operands[2];
    GfxBinding gfx;
    const PreviewPicture picture = RenderPreview(texture.record, gfx);
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
    WritePng(output, picture.image);
    return 0;
}
