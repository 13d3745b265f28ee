// SPDX-License-Identifier: GPL-3.0-or-later
// Offering game targets, and remembering the one new dictionaries were last made for.
#include "app/TargetChoices.h"

#include <QCoreApplication>
#include <algorithm>

#include "app/EditorSettings.h"
#include "txd/LibraryVersion.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr const char* kNewTargetKey = "newDictionary/target";

}  // namespace

std::vector<const GameTarget*> OfferedTargets() {
    std::vector<const GameTarget*> offered;
    for (const GameTarget& target : GameTargets()) {
        if (FindLayout(target.platform) != nullptr) {
            offered.push_back(&target);
        }
    }
    return offered;
}

QStringList TargetTexts() {
    QStringList texts;
    for (const GameTarget* target : OfferedTargets()) {
        texts << QCoreApplication::translate("Target", "%1 (%2): platform %3, version %4")
                     .arg(QString::fromUtf8(target->title), QString::fromUtf8(target->word))
                     .arg(target->platform)
                     .arg(QString::fromStdString(
                         VersionText(DecodeVersionWord(target->versionWord).version)));
    }
    return texts;
}

const GameTarget* OfferedTarget(int index) {
    const auto offered = OfferedTargets();
    return index >= 0 && index < static_cast<int>(offered.size())
               ? offered[static_cast<std::size_t>(index)]
               : nullptr;
}

int OfferedIndex(const GameTarget* target) {
    const auto offered = OfferedTargets();
    const auto found = std::find(offered.begin(), offered.end(), target);
    return found == offered.end() ? 0 : static_cast<int>(found - offered.begin());
}

int RememberedNewTarget() {
    const EditorSettings settings;
    return OfferedIndex(FindGameTarget(settings.value(kNewTargetKey).toString().toStdString()));
}

void RememberNewTarget(const GameTarget& target) {
    EditorSettings settings;
    settings.setValue(kNewTargetKey, QString::fromUtf8(target.word));
}

}  // namespace tinplate
