// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog of Texture > Properties.
#include "app/PropertiesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace tinplate {

namespace {

constexpr FilterField kFields[] = {FilterField::Mode, FilterField::U, FilterField::V};
constexpr const char* kObjectNames[] = {"mode", "u", "v"};

QString ValueText(FilterField field, std::uint32_t value) {
    const std::string name = FilterValueName(field, value);
    return name.empty() ? QString::number(value) : QString::fromStdString(name);
}

}  // namespace

PropertiesDialog::PropertiesDialog(const std::vector<const TextureEntry*>& textures,
                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(textures.size() == 1
                       ? tr("Properties of %1").arg(QString::fromStdString(textures[0]->name))
                       : tr("Properties of %1 Textures").arg(textures.size()));
    auto* form = new QFormLayout(this);
    const QString labels[] = {tr("&Filter mode:"), tr("&U addressing (across):"),
                              tr("&V addressing (down):")};
    for (int i = 0; i < 3; ++i) {
        const FilterField field = kFields[i];
        auto* chooser = new QComboBox(this);
        chooser->setObjectName(kObjectNames[i]);
        m_shared[i] = SharedFilterValue(textures, field);
        // Each item's data is its value; a blank first item stands for the values that differ.
        if (!m_shared[i]) {
            chooser->addItem(tr("(differs)"));
        }
        for (std::uint32_t value = 0; value < NamedFilterValues(field); ++value) {
            chooser->addItem(ValueText(field, value), value);
        }
        if (m_shared[i] && *m_shared[i] >= NamedFilterValues(field)) {
            chooser->addItem(ValueText(field, *m_shared[i]), *m_shared[i]);
        }
        if (m_shared[i]) {
            chooser->setCurrentIndex(chooser->findData(*m_shared[i]));
        }
        m_choosers[i] = chooser;
        form->addRow(labels[i], chooser);
    }
    m_sharedMask = SharedMaskName(textures);
    m_mask = new QLineEdit(QString::fromStdString(m_sharedMask.value_or("")), this);
    m_mask->setObjectName("mask");
    if (!m_sharedMask) {
        m_mask->setPlaceholderText(tr("(differs)"));
    }
    form->addRow(tr("&Mask name:"), m_mask);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertiesDialog::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

PropertyChanges PropertiesDialog::Changes() const {
    std::array<std::optional<std::uint32_t>, 3> values;
    for (int i = 0; i < 3; ++i) {
        const QVariant data = m_choosers[i]->currentData();
        if (data.isValid() && (!m_shared[i] || data.toUInt() != *m_shared[i])) {
            values[i] = data.toUInt();
        }
    }
    std::optional<std::string> mask;
    const std::string typed = m_mask->text().toStdString();
    if (m_sharedMask ? typed != *m_sharedMask : m_mask->isModified()) {
        mask = typed;
    }
    return {values[0], values[1], values[2], mask};
}

void PropertiesDialog::Accept() {
    if (const auto why = WhyPropertiesRefused(Changes())) {
        QMessageBox::warning(this, QApplication::applicationName(), QString::fromStdString(*why));
        return;
    }
    accept();
}

}  // namespace tinplate
