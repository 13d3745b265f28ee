// SPDX-License-Identifier: GPL-3.0-or-later
// What a drag dropped on the window carries.
#pragma once

#include <QString>

class QMimeData;

namespace tinplate {

// The local file a drag carries, or an empty string when it carries anything else (nothing,
// several files, a remote address, text).
QString DroppedFile(const QMimeData* data);

// True for a name ending in ".txd", in any case.
bool IsDictionaryName(const QString& path);

}  // namespace tinplate
