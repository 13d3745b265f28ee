// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units measured from the font's letters, never below the 8-point font's.
#include "app/DialogLayout.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cmath>

namespace tinplate {

namespace {
constexpr double kMinUnitX = 1.5;    // 6-pixel average width
constexpr double kMinUnitY = 1.625;  // 13-pixel height

// The width the layout's units were measured in: the mean advance of the 52 letters.
double AverageLetterWidth(const QFontMetrics& metrics) {
    const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return metrics.horizontalAdvance(letters) / static_cast<double>(letters.size());
}
}  // namespace

DialogLayout::DialogLayout(const QFontMetrics& metrics)
    : m_unitX(std::max(AverageLetterWidth(metrics) / 4.0, kMinUnitX)),
      m_unitY(std::max(metrics.height() / 8.0, kMinUnitY)) {}

QRect DialogLayout::ToPixels(int x, int y, int width, int height) const {
    return QRect(static_cast<int>(std::lround(x * m_unitX)),
                 static_cast<int>(std::lround(y * m_unitY)),
                 static_cast<int>(std::lround(width * m_unitX)),
                 static_cast<int>(std::lround(height * m_unitY)));
}

}  // namespace tinplate
