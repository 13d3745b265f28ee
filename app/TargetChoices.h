// SPDX-License-Identifier: GPL-3.0-or-later
// The game targets the window offers, and the one File > New last made a dictionary for.
#pragma once

#include <QStringList>
#include <vector>

#include "txd/GameTargets.h"

namespace tinplate {

// The targets whose platform has a layout here, in the table's order.
std::vector<const GameTarget*> OfferedTargets();
// "SA on PC (sa-pc): platform 9, version 3.6.0.3", one per offered target.
QStringList TargetTexts();
// The offered target at `index` of TargetTexts, or nullptr.
const GameTarget* OfferedTarget(int index);
// The index of `target` among the offered ones, or 0.
int OfferedIndex(const GameTarget* target);

// File > New offers the target chosen last time first.
int RememberedNewTarget();
void RememberNewTarget(const GameTarget& target);

}  // namespace tinplate
