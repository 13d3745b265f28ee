// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu: New, Open, Save, Save As and Exit, and the question about unsaved changes.
#pragma once

#include <QObject>
#include <QString>

#include "app/CommandContext.h"

namespace tinplate {

class FileCommands : public QObject {
    Q_OBJECT

public:
    // Registers the File menu's handlers in the context's command table.
    explicit FileCommands(const CommandContext& context);

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileExit();

    // Reads `path` into the document and remembers it among the recent files; a file that
    // fails is a FileError and leaves the open dictionary as it was.
    void OpenDictionary(const QString& path);
    // As File > Open Recent does: asks about unsaved changes first, reports a failure.
    void OpenAfterAsking(const QString& path);
    // Asks about unsaved changes; false when the user cancels or the save fails.
    bool ConfirmDiscardOrSave();

private:
    // The archive's dictionary entry the user picks, as "ARCHIVE:ENTRY"; empty on cancel.
    QString ChooseEntry(const QString& archivePath);
    // Save under the dictionary lock; a file changed by someone else offers to reopen it.
    void SaveUnderLock();

    CommandContext m_context;
};

}  // namespace tinplate
