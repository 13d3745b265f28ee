// SPDX-License-Identifier: GPL-3.0-or-later
// The open-file dialog an import shows, as data.
#pragma once

#include <optional>
#include <string>

#include "txd/TextureRecord.h"

namespace tinplate {

// The open-file dialog an import shows, as data: the window turns it into its toolkit's
// dialog. `filter` is in the "description|pattern|...||" form.
struct ImportDialog {
    std::string filter;
    std::string defaultExtension;
    std::string initialName;
};

inline constexpr const char* kTargaFilter = "TGA File (*.tga)|*tga|All Files (*.*)|*.*||";
inline constexpr const char* kDdsFilter = "DDS File (*.dds)|*dds|All Files (*.*)|*.*||";

// The dialog for importing into this texture: a Targa for 8-bit textures, a DDS for 32-bit and
// block-compressed ones, nothing for kinds without import. A name that is not a safe file
// name is refused (FileError) before any dialog is shown.
std::optional<ImportDialog> ImportDialogFor(const std::string& name, const TextureRecord& record);

}  // namespace tinplate
