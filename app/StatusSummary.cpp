// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the textures and names the selected one's kind and size.
#include "app/StatusSummary.h"

#include <QCoreApplication>

#include "txd/TextureKinds.h"
#include "workfiles/DdsFile.h"

namespace tinplate {

namespace {

QString KindOf(const TextureRecord& record) {
    if (const char* fourCc = FourCcFor(record.compression)) {
        return fourCc;
    }
    if (record.compression != compression::kNone) {
        return QCoreApplication::translate("Status", "compression %1").arg(record.compression);
    }
    return record.depth == 8 ? QCoreApplication::translate("Status", "8-bit palette")
                             : QCoreApplication::translate("Status", "%1-bit").arg(record.depth);
}

}  // namespace

QString StatusSummary(int textureCount, const TextureRecord* selected) {
    QString text = textureCount == 1
                       ? QCoreApplication::translate("Status", "1 texture")
                       : QCoreApplication::translate("Status", "%1 textures").arg(textureCount);
    if (selected != nullptr) {
        text += QCoreApplication::translate("Status", " | %1, %2 × %3")
                    .arg(KindOf(*selected))
                    .arg(selected->width)
                    .arg(selected->height);
    }
    return text;
}

}  // namespace tinplate
