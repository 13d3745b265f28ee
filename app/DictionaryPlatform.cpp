// SPDX-License-Identifier: GPL-3.0-or-later
// Decides the open dictionary's platform and names platform ids.
#include "app/DictionaryPlatform.h"

#include <QCoreApplication>
#include <algorithm>

namespace tinplate {

std::uint32_t DictionaryPlatform(const std::vector<TextureEntry>& textures) {
    const auto pc = std::ranges::find_if(textures, [](const TextureEntry& texture) {
        return texture.record.platform != platform::kUsual;
    });
    return pc == textures.end() ? platform::kUsual : pc->record.platform;
}

QString PlatformName(std::uint32_t id) {
    const PlatformFacts* facts = FindPlatform(id);
    if (facts == nullptr) {
        return QCoreApplication::translate("Platform", "platform %1").arg(id);
    }
    return QCoreApplication::translate("Platform", std::string(facts->name).c_str());
}

QString PlatformChoice(std::uint32_t id) {
    const PlatformFacts* facts = FindPlatform(id);
    if (facts == nullptr) {
        return QString::number(id);
    }
    return QStringLiteral("%1 — %2").arg(
        QString::fromUtf8(facts->word.data(), static_cast<int>(facts->word.size())),
        QCoreApplication::translate("Platform", std::string(facts->description).c_str()));
}

}  // namespace tinplate
