// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu's handlers: the document reads and writes, the prompts ask and report.
#include "app/FileCommands.h"

#include <QFileInfo>
#include <QListWidget>
#include <QWidget>

#include "app/CommandTable.h"
#include "app/EditorSettings.h"
#include "app/FileErrorReport.h"
#include "app/Prompts.h"
#include "app/RecentFiles.h"
#include "app/TargetChoices.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"
#include "archive/Archive.h"
#include "fileio/FileIdentity.h"

namespace tinplate {

FileCommands::FileCommands(const CommandContext& context)
    : QObject(&context.window), m_context(context) {
    CommandTable& table = m_context.commands;
    table.Register(command::kFileNew, [this] { OnFileNew(); });
    table.Register(command::kFileOpen, [this] { OnFileOpen(); });
    table.Register(command::kFileSave, [this] { OnFileSave(); });
    table.Register(command::kFileSaveAs, [this] { OnFileSaveAs(); });
    table.Register(command::kFileExit, [this] { OnFileExit(); });
}

void FileCommands::OnFileNew() {
    if (m_context.document.IsModified() && !ConfirmDiscardOrSave()) {
        return;
    }
    const int chosen = m_context.prompts.ChooseItem(&m_context.window,
                                                    tr("Game and platform of the new dictionary:"),
                                                    TargetTexts(), RememberedNewTarget());
    const GameTarget* target = OfferedTarget(chosen);
    if (target == nullptr) {
        return;
    }
    RememberNewTarget(*target);
    m_context.document.New(target->platform, target->versionWord);
}

void FileCommands::OnFileOpen() {
    if (m_context.document.IsModified() && !ConfirmDiscardOrSave()) {
        return;
    }
    const QString path = m_context.prompts.OpenFileName(
        &m_context.window,
        tr("TXD File (*.txd)") + "|*.txd|" + tr("IMG Archive (*.img *.dir)") + "|*.img *.dir|" +
            tr("All Files (*.*)") + "|*.*||",
        ".txd", QString());
    if (!path.isEmpty()) {
        OpenDictionary(path);
    }
}

QString FileCommands::ChooseEntry(const QString& archivePath) {
    const Archive archive = Archive::Open(archivePath.toStdString());
    std::vector<ArchiveEntryRow> rows;
    const std::vector<bool> dictionaries = archive.Dictionaries();
    for (std::size_t i = 0; i < archive.entries().size(); ++i) {
        const ArchiveEntry& entry = archive.entries()[i];
        if (entry.sound()) {
            rows.push_back(
                {QString::fromStdString(entry.name), entry.sectors * kSectorSize, dictionaries[i]});
        }
    }
    const QString entry = m_context.prompts.ChooseArchiveEntry(
        &m_context.window, QFileInfo(archivePath).fileName(), rows);
    return entry.isEmpty() ? QString() : archivePath + ":" + entry;
}

void FileCommands::OpenDictionary(const QString& path) {
    const bool archive = HasArchiveEnding(path.toStdString()) && QFileInfo(path).isFile();
    const QString chosen = archive ? ChooseEntry(path) : path;
    if (chosen.isEmpty()) {
        return;
    }
    m_context.document.Open(chosen);
    recent_files::Add(m_context.document.Path());
    EditorSettings().setValue(EditorSettings::kLastFolder, m_context.document.Folder());
    m_context.panel.List().setFocus();
}

void FileCommands::OpenAfterAsking(const QString& path) {
    if (m_context.document.IsModified() && !ConfirmDiscardOrSave()) {
        return;
    }
    ReportFileErrors(m_context.prompts, &m_context.window, [this, &path] { OpenDictionary(path); });
}

void FileCommands::OnFileSave() {
    TextureDocument& document = m_context.document;
    if (document.IsUntitled()) {
        OnFileSaveAs();
    } else if (m_context.panel.List().count() > 0 || (document.IsOpen() && document.IsModified())) {
        SaveUnderLock();
    }
}

void FileCommands::SaveUnderLock() {
    TextureDocument& document = m_context.document;
    try {
        document.Save(m_context.gfx);
    } catch (const ChangedOnDiskError&) {
        if (m_context.prompts.AskReopenChanged(&m_context.window, document.FileName())) {
            OpenDictionary(document.Path());
        }
        return;
    }
    m_context.prompts.Message(&m_context.window, tr("File Saved"));
}

void FileCommands::OnFileSaveAs() {
    TextureDocument& document = m_context.document;
    if (!document.IsOpen()) {
        return;
    }
    const QString chosen = m_context.prompts.SaveFileName(&m_context.window, tr("TXD File (*.txd)"),
                                                          document.FileName());
    if (chosen.isEmpty()) {
        return;
    }
    document.SaveAs(chosen);
    m_context.prompts.Message(&m_context.window, tr("File Saved"));
}

void FileCommands::OnFileExit() {
    m_context.window.close();
}

bool FileCommands::ConfirmDiscardOrSave() {
    switch (m_context.prompts.AskSaveChanges(&m_context.window, m_context.document.FileName())) {
        case Prompts::SaveChoice::Discard:
            return true;
        case Prompts::SaveChoice::Cancel:
            return false;
        case Prompts::SaveChoice::Save:
            ReportFileErrors(m_context.prompts, &m_context.window, [this] { OnFileSave(); });
            return !m_context.document.IsModified();
    }
    return false;
}

}  // namespace tinplate
