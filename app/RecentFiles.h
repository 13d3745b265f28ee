// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionaries opened last, kept in the settings for File > Open Recent.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

namespace tinplate {

// The dictionaries opened last, newest first, kept in the user's settings so that every
// window and every later run sees them.
namespace recent_files {
inline constexpr int kMaxEntries = 8;

QStringList Paths();
// Puts `path` first, dropping an older entry of it and the oldest beyond kMaxEntries.
void Add(const QString& path);
// Refills `menu` with one numbered entry per file; choosing one runs `open` with its path.
void FillMenu(QMenu& menu, const std::function<void(const QString&)>& open);
}  // namespace recent_files

}  // namespace tinplate
