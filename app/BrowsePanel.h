// SPDX-License-Identifier: GPL-3.0-or-later
// File > Browse Folder: every dictionary under a folder in a dock, searched by texture name.
#pragma once

#include <QDockWidget>
#include <QString>
#include <memory>
#include <vector>

#include "app/FolderScan.h"
#include "scan/NameSearch.h"

class QLabel;
class QLineEdit;
class QMainWindow;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tinplate {

class CommandTable;
class Prompts;

// Hidden until File > Browse Folder... shows it. The folder is scanned on a thread of its own
// while the panel shows what has arrived: the tree of dictionaries and archives, and, once
// something is typed into the search field, the textures whose names hold it.
class BrowsePanel : public QDockWidget {
    Q_OBJECT

public:
    // Docks itself at the left of `host`, hidden, and registers File > Browse Folder...
    BrowsePanel(Prompts& prompts, CommandTable& commands, QMainWindow& host);
    ~BrowsePanel() override;

    // File > Browse Folder...: asks for a folder, starting at the one browsed last.
    void OnBrowseFolder();
    // Shows the panel and scans `folder` (remembered for next time).
    void Browse(const QString& folder);
    bool Scanning() const { return m_scan != nullptr; }

signals:
    // A dictionary (FILE, or ARCHIVE:ENTRY) and the texture in it were double-clicked.
    void textureChosen(const QString& dictionary, int index);

private:
    void TakeResults();
    void ShowMatches();
    void ShowProgress();
    QTreeWidgetItem* FolderItem(const QString& relative);
    void AddToTree(const FoundDictionary& dictionary, std::uint32_t number);
    void Choose(const QTreeWidgetItem* item);

    Prompts& m_prompts;
    QString m_folder;
    QLineEdit* m_search;
    QLabel* m_progress;
    QTreeWidget* m_tree;
    QTreeWidget* m_matches;
    QTimer* m_pickup;
    std::unique_ptr<FolderScan> m_scan;
    std::vector<FoundDictionary> m_dictionaries;
    std::vector<FoundTexture> m_textures;
    NameSearch m_names;
    std::size_t m_unreadable = 0;
    std::size_t m_matchCount = 0;
};

}  // namespace tinplate
