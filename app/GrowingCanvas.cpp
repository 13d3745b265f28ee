// SPDX-License-Identifier: GPL-3.0-or-later
// Moves and stretches the placed controls by their share of the extra size.
#include "app/GrowingCanvas.h"

#include <algorithm>
#include <cmath>

namespace tinplate {

GrowingCanvas::GrowingCanvas(QSize firstSize, QWidget* parent)
    : QWidget(parent), m_firstSize(firstSize) {
    setMinimumSize(firstSize);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GrowingCanvas::Place(QWidget* control, const QRect& firstPlace, Growth growth) {
    m_placed.push_back({control, firstPlace, growth});
    Arrange(m_placed.back());
}

void GrowingCanvas::MovePlace(QWidget* control, const QRect& firstPlace) {
    for (Placed& placed : m_placed) {
        if (placed.control == control) {
            placed.firstPlace = firstPlace;
            Arrange(placed);
        }
    }
}

void GrowingCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (const Placed& placed : m_placed) {
        Arrange(placed);
    }
}

void GrowingCanvas::Arrange(const Placed& placed) const {
    const int extraX = std::max(width() - m_firstSize.width(), 0);
    const int extraY = std::max(height() - m_firstSize.height(), 0);
    const auto part = [](int extra, double fraction) {
        return static_cast<int>(std::lround(extra * fraction));
    };
    const QRect& first = placed.firstPlace;
    placed.control->setGeometry(first.x() + part(extraX, placed.growth.moveX),
                                first.y() + part(extraY, placed.growth.moveY),
                                first.width() + part(extraX, placed.growth.growX),
                                first.height() + part(extraY, placed.growth.growY));
}

}  // namespace tinplate
