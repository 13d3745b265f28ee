// SPDX-License-Identifier: GPL-3.0-or-later
// Every question and report the window puts to the user.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "app/ArchiveEntryDialog.h"
#include "edits/TextureProperties.h"

class QWidget;

namespace tinplate {

// Every question and report the window puts to the user, in one place so that tests can
// answer them without a person.
class Prompts {
public:
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~Prompts() = default;

    // An open-file dialog; the filter is in the program's "Text (*.x)|*x|...||" form.
    // Returns the chosen file's full path, or an empty string when the user cancels.
    virtual QString OpenFileName(QWidget* parent, const QString& filter,
                                 const QString& defaultExtension, const QString& initialName);
    // A save-file dialog offering the Qt `filters` ("Text (*.x);;..."); the chosen file's
    // full path, given the selected filter's extension when it has none, or an empty string.
    virtual QString SaveFileName(QWidget* parent, const QString& filters,
                                 const QString& initialName);
    // A folder chooser starting at `initial`; the chosen folder, or empty when the user cancels.
    virtual QString FolderName(QWidget* parent, const QString& initial);
    // A report with no icon and an OK button, titled with the application's name.
    virtual void Message(QWidget* parent, const QString& text);
    // A failure the user must see: critical icon, OK button.
    virtual void Error(QWidget* parent, const QString& text);
    virtual SaveChoice AskSaveChanges(QWidget* parent, const QString& fileName);
    // "NAME changed on disk since it was opened": true to reopen it, false to keep editing.
    virtual bool AskReopenChanged(QWidget* parent, const QString& fileName);
    // "REASON. The game may not draw it.": true to make the texture anyway.
    virtual bool AskMakeAnyway(QWidget* parent, const QString& reason);
    // One of `items`, `current` offered first: its index, or -1 when the user cancels. The
    // dialog is titled `title`, or the program's name.
    virtual int ChooseItem(QWidget* parent, const QString& label, const QStringList& items,
                           int current, const QString& title = {});
    // One of an archive's dictionary entries (see ArchiveEntryDialog): its name, or an empty
    // string when the user cancels.
    virtual QString ChooseArchiveEntry(QWidget* parent, const QString& archiveName,
                                       const std::vector<ArchiveEntryRow>& rows);
    // A width and a height, each one of `sides`, starting at `current`; nothing on cancel.
    virtual std::optional<QSize> ChooseSize(QWidget* parent, const QList<int>& sides,
                                            QSize current);
    // Texture > Properties of `textures` (PropertiesDialog): the changes, or nothing on cancel.
    virtual std::optional<PropertyChanges> EditProperties(
        QWidget* parent, const std::vector<const TextureEntry*>& textures);
};

// "TXD File (*.txd)|*txd|All Files (*.*)|*.*||" becomes "TXD File (*txd);;All Files (*)".
QString QtFileFilter(const QString& filter);

}  // namespace tinplate
