// SPDX-License-Identifier: GPL-3.0-or-later
// The Help > About box.
#pragma once

#include <QDialog>

namespace tinplate {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tinplate
