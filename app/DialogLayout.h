// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units, the layout's measure that follows the font, turned into pixels.
#pragma once

#include <QRect>

class QFontMetrics;

namespace tinplate {

// Converts positions in dialog units (a quarter of the font's average character width
// across, an eighth of its height down) into pixels. Units never fall below those of the
// 8-point font the layout was drawn for, so the picture area always holds 256 x 256.
class DialogLayout {
public:
    explicit DialogLayout(const QFontMetrics& metrics);
    QRect ToPixels(int x, int y, int width, int height) const;

private:
    double m_unitX;
    double m_unitY;
};

}  // namespace tinplate
