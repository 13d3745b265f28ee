// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures the program draws itself: the placeholder and the application icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tinplate {

// The 256 x 256 picture shown before any dictionary is opened.
QPixmap PlaceholderBitmap();

QIcon ApplicationIcon();

}  // namespace tinplate
