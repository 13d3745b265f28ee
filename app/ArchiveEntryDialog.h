// SPDX-License-Identifier: GPL-3.0-or-later
// The list of an archive's entries that File > Open offers, with a filter field.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class QDialogButtonBox;
class QLineEdit;
class QTreeWidget;

namespace tinplate {

// One entry as the list shows it.
struct ArchiveEntryRow {
    QString name;
    std::uint64_t bytes = 0;
    bool dictionary = false;
};

// Lists the entries (name, size, kind) under a filter field that keeps the rows whose name
// holds its text, letter case aside. Only a dictionary can be opened: OK and a double-click
// take the selected one.
class ArchiveEntryDialog : public QDialog {
    Q_OBJECT

public:
    ArchiveEntryDialog(QWidget* parent, const QString& archiveName,
                       const std::vector<ArchiveEntryRow>& rows);

    QLineEdit& Filter() const { return *m_filter; }
    QTreeWidget& List() const { return *m_list; }
    // The selected entry's name, when it is a dictionary; empty otherwise.
    QString Chosen() const;

private:
    void ApplyFilter(const QString& text);
    void UpdateButtons();

    QLineEdit* m_filter;
    QTreeWidget* m_list;
    QDialogButtonBox* m_buttons;
};

}  // namespace tinplate
