// SPDX-License-Identifier: GPL-3.0-or-later
// The window's menu bar built from the menu table, with the Edit and Help menus' handlers.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/CommandContext.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tinplate {

class MenuBar : public QObject {
    Q_OBJECT

public:
    // Every entry runs `dispatch` with its command id; Open Recent runs `openRecent` with the
    // chosen path.
    MenuBar(const CommandContext& context, std::function<void(int)> dispatch,
            std::function<void(const QString&)> openRecent);

    QMenuBar& Bar() const { return *m_bar; }
    // Also the texture list's context menu.
    QMenu& TextureMenu() const { return *m_textureMenu; }

    void OnEditUndo();
    void OnEditRedo();
    void OnHelpAbout();

private:
    void Build(const std::function<void(int)>& dispatch);
    // Undo and Redo are enabled and named after the step they would take.
    void FollowUndoStack(QAction& action, bool undo, const QString& text);
    // Swizzle All and Unswizzle All are for platform 5 only: PC layouts store rows in order.
    void FollowPlatform(QAction& action);

    CommandContext m_context;
    QMenuBar* m_bar = nullptr;
    QMenu* m_textureMenu = nullptr;
};

}  // namespace tinplate
