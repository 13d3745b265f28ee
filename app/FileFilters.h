// SPDX-License-Identifier: GPL-3.0-or-later
// The file-type filters the window's file dialogs offer.
#pragma once

namespace tinplate {

// Pictures any texture can be made from, in the open dialog's "Text|pattern|...||" form.
inline constexpr const char* kPictureFilter =
    "Pictures (*.png *.tga *.bmp *.jpg *.jpeg *.dds)|*.png *.tga *.bmp *.jpg *.jpeg *.dds|"
    "All Files (*.*)|*.*||";

// The picture files Image > Export As writes, in Qt's form for the save dialog.
inline constexpr const char* kExportAsFilters =
    "PNG image (*.png);;Targa image (*.tga);;DDS texture (*.dds);;BMP image (*.bmp)";

}  // namespace tinplate
