// SPDX-License-Identifier: GPL-3.0-or-later
// Texture > Properties: filter mode, U and V addressing and mask name of selected textures.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "edits/TextureProperties.h"
#include "txd/TextureRecord.h"

class QComboBox;
class QLineEdit;

namespace tinplate {

// Shows what the textures share; a field on which they differ starts blank and, left so,
// keeps each texture's own value.
class PropertiesDialog : public QDialog {
    Q_OBJECT

public:
    PropertiesDialog(const std::vector<const TextureEntry*>& textures, QWidget* parent);

    // The fields the user set, the others left empty.
    PropertyChanges Changes() const;

    // One of the three filter choosers ("mode", "u", "v" by object name) and the mask field.
    QComboBox& Chooser(FilterField field) const { return *m_choosers[static_cast<int>(field)]; }
    QLineEdit& Mask() const { return *m_mask; }

private:
    void Accept();

    std::array<QComboBox*, 3> m_choosers{};
    std::array<std::optional<std::uint32_t>, 3> m_shared{};
    QLineEdit* m_mask = nullptr;
    std::optional<std::string> m_sharedMask;
};

}  // namespace tinplate
