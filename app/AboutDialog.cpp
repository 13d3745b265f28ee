// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: icon and texts side by side, the licence, OK below.
#include "app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/Artwork.h"

namespace tinplate {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About TXD Tinplate"));

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    const QStringList lines{
        tr("TXD Tinplate Version 1.0"), tr("Package version %1").arg(TINPLATE_VERSION),
        tr("Thanks to everyone who documented the texture dictionary format and the swizzled "
           "layout."),
        tr("License GPLv3+: GNU GPL version 3 or later. This is free software: you are free to "
           "change and redistribute it. There is NO WARRANTY, to the extent permitted by law.")};
    for (const QString& line : lines) {
        auto* label = new QLabel(line, this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        texts->addWidget(label);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

}  // namespace tinplate
