// SPDX-License-Identifier: GPL-3.0-or-later
// The entry list of an archive, filtered as the user types.
#include "app/ArchiveEntryDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tinplate {

namespace {

enum Column { kName, kSize, kKind };
constexpr int kDictionaryRole = Qt::UserRole;

}  // namespace

ArchiveEntryDialog::ArchiveEntryDialog(QWidget* parent, const QString& archiveName,
                                       const std::vector<ArchiveEntryRow>& rows)
    : QDialog(parent),
      m_filter(new QLineEdit(this)),
      m_list(new QTreeWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(tr("Open from %1").arg(archiveName));
    m_filter->setPlaceholderText(tr("Filter entries"));
    m_filter->setClearButtonEnabled(true);
    m_list->setHeaderLabels({tr("Name"), tr("Size"), tr("Kind")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSortingEnabled(true);
    const QLocale locale;
    for (const ArchiveEntryRow& row : rows) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(kName, row.name);
        item->setText(kSize, locale.formattedDataSize(static_cast<qint64>(row.bytes)));
        item->setTextAlignment(kSize, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(kKind, row.dictionary ? tr("Dictionary") : tr("Other"));
        item->setData(kName, kDictionaryRole, row.dictionary);
    }
    m_list->sortByColumn(kName, Qt::AscendingOrder);
    m_list->header()->setSectionResizeMode(kName, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);
    layout->addWidget(m_buttons);
    resize(480, 420);
    connect(m_filter, &QLineEdit::textChanged, this, &ArchiveEntryDialog::ApplyFilter);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &ArchiveEntryDialog::UpdateButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (!Chosen().isEmpty()) {
            accept();
        }
    });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    UpdateButtons();
    m_filter->setFocus();
}

QString ArchiveEntryDialog::Chosen() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (item == nullptr || item->isHidden() || !item->isSelected() ||
        !item->data(kName, kDictionaryRole).toBool()) {
        return {};
    }
    return item->text(kName);
}

void ArchiveEntryDialog::ApplyFilter(const QString& text) {
    QTreeWidgetItem* firstShown = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        const bool shown = item->text(kName).contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && firstShown == nullptr) {
            firstShown = item;
        }
    }
    if (m_list->currentItem() == nullptr || m_list->currentItem()->isHidden()) {
        m_list->setCurrentItem(firstShown);
    }
    UpdateButtons();
}

void ArchiveEntryDialog::UpdateButtons() {
    m_buttons->button(QDialogButtonBox::Open)->setEnabled(!Chosen().isEmpty());
}

}  // namespace tinplate
