// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the textures and names the selected one's kind and size.
#include "app/StatusSummary.h"

#include <QCoreApplication>

#include "app/DictionaryPlatform.h"
#include "txd/LibraryVersion.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

QString KindText(const TextureRecord& record) {
    if (const char* fourCc = FourCcOfCompression(record.compression)) {
        return fourCc;
    }
    if (record.compression != compression::kNone) {
        return QCoreApplication::translate("Status", "compression %1").arg(record.compression);
    }
    return record.depth == 8 ? QCoreApplication::translate("Status", "8-bit palette")
                             : QCoreApplication::translate("Status", "%1-bit").arg(record.depth);
}

// How the texture's texels lie, where its platform has a choice.
QString OrderText(const TextureRecord& record) {
    if (!SwizzlesInMortonOrder(record.platform) || IsBlockCompressed(record)) {
        return {};
    }
    switch (record.firstLevelOrder) {
        case TexelOrder::kSwizzled:
            return QCoreApplication::translate("Status", ", swizzled");
        case TexelOrder::kGuessedSwizzled:
            return QCoreApplication::translate("Status", ", swizzled (guessed)");
        default:
            return QCoreApplication::translate("Status", ", linear");
    }
}

}  // namespace

QString StatusSummary(int textureCount, int shownCount, std::uint32_t platformId,
                      std::uint32_t versionWord,
                      const TextureRecord* selected) {
    QString text = textureCount == 1
                       ? QCoreApplication::translate("Status", "1 texture")
                       : QCoreApplication::translate("Status", "%1 textures").arg(textureCount);
    if (shownCount != textureCount) {
        text = QCoreApplication::translate("Status", "%1 of %2").arg(shownCount).arg(text);
    }
    text += ", " + PlatformName(platformId);
    text += QCoreApplication::translate("Status", ", version %1")
                .arg(QString::fromStdString(VersionText(DecodeVersionWord(versionWord).version)));
    if (selected != nullptr) {
        text += QCoreApplication::translate("Status", " | %1, %2 × %3")
                    .arg(KindText(*selected))
                    .arg(selected->width)
                    .arg(selected->height) +
                OrderText(*selected);
    }
    return text;
}

}  // namespace tinplate
