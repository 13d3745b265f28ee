// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the menus from the menu table and runs Undo, Redo and About.
#include "app/MenuBar.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>
#include <map>
#include <string_view>

#include "app/AboutDialog.h"
#include "app/CommandTable.h"
#include "app/DictionaryPlatform.h"
#include "app/RecentFiles.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"

namespace tinplate {

MenuBar::MenuBar(const CommandContext& context, std::function<void(int)> dispatch,
                 std::function<void(const QString&)> openRecent)
    : QObject(&context.window), m_context(context), m_bar(new QMenuBar(&context.window)) {
    Build(dispatch);
    // Filled when shown, never while one of its entries runs: filling deletes the entries.
    QMenu* recent = m_bar->findChild<QMenu*>("openRecent");
    const auto fillRecent = [recent, openRecent = std::move(openRecent)] {
        recent_files::FillMenu(*recent, openRecent);
    };
    connect(recent, &QMenu::aboutToShow, this, fillRecent);
    fillRecent();
    CommandTable& table = m_context.commands;
    table.Register(command::kEditUndo, [this] { OnEditUndo(); });
    table.Register(command::kEditRedo, [this] { OnEditRedo(); });
    table.Register(command::kEditFind, [this] { m_context.panel.OpenFilter(); });
    table.Register(command::kAbout, [this] { OnHelpAbout(); });
}

void MenuBar::Build(const std::function<void(int)>& dispatch) {
    std::map<int, QActionGroup*> groups;
    for (const MenuPopup& popup : kMenus) {
        QMenu* menu = m_bar->addMenu(QCoreApplication::translate("Menu", popup.title));
        if (std::string_view(popup.title) == "&Texture") {
            m_textureMenu = menu;
        }
        for (const MenuItem& item : popup.items) {
            if (item.id == 0) {
                break;
            }
            const QString text = QCoreApplication::translate("Menu", item.text);
            if (item.id == command::kSeparator) {
                menu->addSeparator();
                continue;
            }
            if (item.id == command::kOpenRecentMenu) {
                menu->addMenu(text)->setObjectName("openRecent");
                continue;
            }
            QAction* action = menu->addAction(text);
            action->setData(item.id);
            if (item.shortcut != nullptr) {
                action->setShortcuts(QKeySequence::listFromString(item.shortcut));
            }
            if (item.group != 0) {
                QActionGroup*& group = groups[item.group];
                group = group != nullptr ? group : new QActionGroup(&m_context.window);
                action->setCheckable(true);
                group->addAction(action);
            }
            connect(action, &QAction::triggered, this, [dispatch, id = item.id] { dispatch(id); });
            if (item.id == command::kEditUndo || item.id == command::kEditRedo) {
                FollowUndoStack(*action, item.id == command::kEditUndo, text);
            }
            if (item.id == command::kImageSwizzleAll || item.id == command::kImageUnswizzleAll) {
                FollowPlatform(*action);
            }
        }
    }
}

void MenuBar::FollowUndoStack(QAction& action, bool undo, const QString& text) {
    QUndoStack& stack = m_context.document.UndoStack();
    action.setEnabled(false);
    connect(&stack, undo ? &QUndoStack::canUndoChanged : &QUndoStack::canRedoChanged, &action,
            &QAction::setEnabled);
    connect(&stack, undo ? &QUndoStack::undoTextChanged : &QUndoStack::redoTextChanged, &action,
            [action = &action, text](const QString& what) {
                action->setText(what.isEmpty() ? text : text + ' ' + what);
            });
}

void MenuBar::FollowPlatform(QAction& action) {
    const TextureDocument& document = m_context.document;
    connect(&document, &TextureDocument::texturesReplaced, &action, [&action, &document] {
        action.setEnabled(SwizzlesInMortonOrder(DictionaryPlatform(document.Textures())));
    });
}

// Undo and redo show the selected texture again, so picture and fields tell the truth.
void MenuBar::OnEditUndo() {
    QUndoStack& stack = m_context.document.UndoStack();
    if (stack.canUndo()) {
        stack.undo();
        m_context.panel.ShowSelectedTexture();
    }
}

void MenuBar::OnEditRedo() {
    QUndoStack& stack = m_context.document.UndoStack();
    if (stack.canRedo()) {
        stack.redo();
        m_context.panel.ShowSelectedTexture();
    }
}

void MenuBar::OnHelpAbout() {
    AboutDialog about(&m_context.window);
    about.exec();
}

}  // namespace tinplate
