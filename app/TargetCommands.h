// SPDX-License-Identifier: GPL-3.0-or-later
// Texture > Properties... and Dictionary > Target..., each one undoable edit.
#pragma once

#include <QObject>

#include "app/CommandContext.h"

namespace tinplate {

class TargetCommands : public QObject {
    Q_OBJECT

public:
    // Registers both in the context's command table.
    explicit TargetCommands(const CommandContext& context);

    // The filter mode, addressing and mask name of the selected textures.
    void OnTextureProperties();
    // Asks for a game target and gives the dictionary its version and platforms; a texture that
    // cannot be converted is an error naming it, and nothing changes.
    void OnDictionaryTarget();

private:
    CommandContext m_context;
};

}  // namespace tinplate
