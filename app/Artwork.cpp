// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the placeholder picture and loads the application icon.
#include "app/Artwork.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

// The resources live in a static library; their initialiser is declared outside any namespace.
static void InitResources() {
    Q_INIT_RESOURCE(app);
}

namespace tinplate {

QPixmap PlaceholderBitmap() {
    constexpr int kSide = 256;
    QPixmap pixmap(kSide, kSide);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, kSide);
    gradient.setColorAt(0, QColor(0, 0, 255));
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 16, kSide, 24), Qt::AlignCenter,
                     QCoreApplication::translate("Artwork", "TXD Tinplate"));
    painter.drawText(QRect(0, 40, kSide, 24), Qt::AlignCenter, "v1.03");
    font.setPixelSize(12);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(16, 150, kSide - 32, 80), Qt::AlignCenter | Qt::TextWordWrap,
                     QCoreApplication::translate(
                         "Artwork",
                         "Supports most 8 bit, 32 bit, DXT1 and DXT3 swizzled, unswizzled, and "
                         "mipmapped images."));
    return pixmap;
}

QIcon ApplicationIcon() {
    InitResources();
    return QIcon(":/txd-tinplate.svg");
}

}  // namespace tinplate
