// SPDX-License-Identifier: GPL-3.0-or-later
// The single local file of a drag, and whether it names a dictionary.
#include "app/FileDrop.h"

#include <QMimeData>
#include <QUrl>

namespace tinplate {

QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().constFirst().isLocalFile()) {
        return QString();
    }
    return data->urls().constFirst().toLocalFile();
}

bool IsDictionaryName(const QString& path) {
    return path.endsWith(".txd", Qt::CaseInsensitive);
}

}  // namespace tinplate
