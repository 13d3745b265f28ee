// SPDX-License-Identifier: GPL-3.0-or-later
// The About box's icon, texts and OK button at their places.
#include "app/AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/Artwork.h"
#include "app/DialogLayout.h"

namespace tinplate {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About TXD Tinplate"));
    const DialogLayout layout(fontMetrics());
    setFixedSize(layout.ToPixels(0, 0, 235, 67).size());

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setGeometry(layout.ToPixels(11, 17, 24, 24));

    auto* version = new QLabel(tr("TXD Tinplate Version 1.0"), this);
    version->setTextFormat(Qt::PlainText);
    version->setGeometry(layout.ToPixels(40, 10, 119, 8));

    auto* thanks = new QLabel(tr("Thanks to everyone who documented the texture dictionary "
                                 "format and the swizzled layout."),
                              this);
    thanks->setWordWrap(true);
    thanks->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    thanks->setGeometry(layout.ToPixels(37, 24, 119, 36));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(layout.ToPixels(178, 7, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tinplate
