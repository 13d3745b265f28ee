// SPDX-License-Identifier: GPL-3.0-or-later
// What every group of commands works with: the window's document, panel, prompts and table.
#pragma once

#include "gfxlib/GfxBinding.h"

class QWidget;

namespace tinplate {

class CommandTable;
class Prompts;
class TextureDocument;
class TexturePanel;

struct CommandContext {
    QWidget& window;  // the parent of every dialog and message
    Prompts& prompts;
    GfxBinding& gfx;
    TextureDocument& document;
    TexturePanel& panel;
    CommandTable& commands;
};

}  // namespace tinplate
