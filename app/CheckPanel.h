// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary > Check: the open dictionary's lint findings in a dock that follows every edit.
#pragma once

#include <QDockWidget>

class QMainWindow;
class QTreeWidget;
class QTreeWidgetItem;

namespace tinplate {

class CommandTable;
class TextureDocument;

// Hidden until Dictionary > Check shows it. While shown, its findings are those of the
// dictionary as it stands: every edit, undo and redo makes them again.
class CheckPanel : public QDockWidget {
    Q_OBJECT

public:
    // Docks itself at the bottom of `host`, hidden, and registers Dictionary > Check.
    CheckPanel(TextureDocument& document, CommandTable& commands, QMainWindow& host);

    // Dictionary > Check: shows the panel with the findings of the dictionary as it is now.
    void ShowFindings();

signals:
    // A finding of the texture at `row` was double-clicked.
    void textureChosen(int row);

private:
    void Refresh();
    // An edit can announce many changed textures at once: the findings are made again once,
    // after it, and only while the panel is shown. A hidden panel catches up when it appears.
    void MarkOutOfDate();
    void ChooseTextureOf(const QTreeWidgetItem* item);

    TextureDocument& m_document;
    QTreeWidget* m_findings;
    bool m_outOfDate = true;
    bool m_refreshQueued = false;
};

}  // namespace tinplate
