// SPDX-License-Identifier: GPL-3.0-or-later
// A widget whose controls keep their places and stretch as it grows.
#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

namespace tinplate {

// How a control follows the canvas when it grows beyond its first size: fractions of the
// extra width and height by which it moves and grows.
struct Growth {
    double moveX = 0;
    double growX = 0;
    double moveY = 0;
    double growY = 0;
};

// Holds controls at fixed places in its first size and moves and stretches them by their
// Growth as it grows; it never gets smaller than that first size.
class GrowingCanvas : public QWidget {
public:
    GrowingCanvas(QSize firstSize, QWidget* parent);

    void Place(QWidget* control, const QRect& firstPlace, Growth growth = {});
    // Gives a placed control another place in the first size; it keeps its Growth.
    void MovePlace(QWidget* control, const QRect& firstPlace);

    QSize sizeHint() const override { return m_firstSize; }
    QSize minimumSizeHint() const override { return m_firstSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        QWidget* control;
        QRect firstPlace;
        Growth growth;
    };
    void Arrange(const Placed& placed) const;

    QSize m_firstSize;
    std::vector<Placed> m_placed;
};

}  // namespace tinplate
