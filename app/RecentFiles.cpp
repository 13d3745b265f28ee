// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the recent files list and fills the Open Recent menu from it.
#include "app/RecentFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>

#include "app/EditorSettings.h"

namespace tinplate {

namespace recent_files {

QStringList Paths() {
    return EditorSettings().value(EditorSettings::kRecentFiles).toStringList();
}

void Add(const QString& path) {
    QStringList paths = Paths();
    paths.removeAll(path);
    paths.prepend(path);
    while (paths.size() > kMaxEntries) {
        paths.removeLast();
    }
    EditorSettings().setValue(EditorSettings::kRecentFiles, paths);
}

void FillMenu(QMenu& menu, const std::function<void(const QString&)>& open) {
    menu.clear();
    const QStringList paths = Paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace('&', "&&");
        QAction* action = menu.addAction(QString("&%1 %2").arg(i + 1).arg(shown));
        QObject::connect(action, &QAction::triggered, &menu,
                         [open, path = paths[i]] { open(path); });
    }
    if (paths.isEmpty()) {
        menu.addAction(QCoreApplication::translate("Menu", "No Recent Files"))->setEnabled(false);
    }
}

}  // namespace recent_files

}  // namespace tinplate
