// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs, message boxes and choosers behind the window's prompts.
#include "app/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/PropertiesDialog.h"

namespace tinplate {

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split('|', Qt::SkipEmptyParts);
    QStringList qtFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype bracket = description.indexOf(" (");
        if (bracket >= 0) {
            description.truncate(bracket);
        }
        const QString pattern = parts[i + 1] == "*.*" ? "*" : parts[i + 1];
        qtFilters << QString("%1 (%2)").arg(description, pattern);
    }
    return qtFilters.join(";;");
}

QString Prompts::OpenFileName(QWidget* parent, const QString& filter,
                              const QString& defaultExtension, const QString& initialName) {
    QFileDialog dialog(parent, QString(), QString(), QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString suffix = defaultExtension;
    dialog.setDefaultSuffix(suffix.remove(0, suffix.startsWith('.') ? 1 : 0));
    if (!initialName.isEmpty()) {
        dialog.selectFile(initialName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

QString Prompts::SaveFileName(QWidget* parent, const QString& filters, const QString& initialName) {
    QFileDialog dialog(parent, QString(), QString(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto followFilter = [&dialog](const QString& filter) {
        const qsizetype dot = filter.indexOf("(*.");
        dialog.setDefaultSuffix(dot < 0 ? QString() : filter.mid(dot + 3).section(')', 0, 0));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    followFilter(dialog.selectedNameFilter());
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

void Prompts::Message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void Prompts::Error(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

Prompts::SaveChoice Prompts::AskSaveChanges(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QCoreApplication::translate("Prompts", "Save changes to %1?").arg(fileName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

bool Prompts::AskMakeAnyway(QWidget* parent, const QString& reason) {
    QMessageBox box(
        QMessageBox::Warning, QApplication::applicationName(),
        QCoreApplication::translate("Prompts", "%1. The game may not draw it.").arg(reason),
        QMessageBox::NoButton, parent);
    QPushButton* make = box.addButton(QCoreApplication::translate("Prompts", "Make Anyway"),
                                      QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == make;
}

bool Prompts::AskReopenChanged(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QCoreApplication::translate("Prompts", "%1 changed on disk since it was opened")
                        .arg(fileName),
                    QMessageBox::NoButton, parent);
    QPushButton* reopen = box.addButton(QCoreApplication::translate("Prompts", "Reopen"),
                                        QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QCoreApplication::translate("Prompts", "Keep Editing"),
                                       QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == reopen;
}

QString Prompts::FolderName(QWidget* parent, const QString& initial) {
    return QFileDialog::getExistingDirectory(parent, QApplication::applicationName(), initial);
}

int Prompts::ChooseItem(QWidget* parent, const QString& label, const QStringList& items,
                        int current, const QString& title) {
    bool chosen = false;
    const QString item =
        QInputDialog::getItem(parent, title.isEmpty() ? QApplication::applicationName() : title,
                              label, items, current, false, &chosen);
    return chosen ? static_cast<int>(items.indexOf(item)) : -1;
}

QString Prompts::ChooseArchiveEntry(QWidget* parent, const QString& archiveName,
                                    const std::vector<ArchiveEntryRow>& rows) {
    ArchiveEntryDialog dialog(parent, archiveName, rows);
    return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : QString();
}

std::optional<QSize> Prompts::ChooseSize(QWidget* parent, const QList<int>& sides, QSize current) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QApplication::applicationName());
    auto* form = new QFormLayout(&dialog);
    QComboBox* boxes[2];
    const int values[2] = {current.width(), current.height()};
    const char* labels[2] = {QT_TRANSLATE_NOOP("Prompts", "&Width:"),
                             QT_TRANSLATE_NOOP("Prompts", "&Height:")};
    for (int i = 0; i < 2; ++i) {
        boxes[i] = new QComboBox(&dialog);
        for (int side : sides) {
            boxes[i]->addItem(QString::number(side), side);
        }
        boxes[i]->setCurrentIndex(std::max<int>(0, static_cast<int>(sides.indexOf(values[i]))));
        form->addRow(QCoreApplication::translate("Prompts", labels[i]), boxes[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return QSize(boxes[0]->currentData().toInt(), boxes[1]->currentData().toInt());
}

std::optional<PropertyChanges> Prompts::EditProperties(
    QWidget* parent, const std::vector<const TextureEntry*>& textures) {
    PropertiesDialog dialog(textures, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Changes();
}

}  // namespace tinplate
