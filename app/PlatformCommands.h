// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary > Platform...: every texture into another platform's layout, as one edit.
#pragma once

#include <QObject>

#include "app/CommandContext.h"

namespace tinplate {

class PlatformCommands : public QObject {
    Q_OBJECT

public:
    // Registers Dictionary > Platform... in the context's command table.
    explicit PlatformCommands(const CommandContext& context);

    // Asks for the target platform and converts the whole dictionary as one undoable edit. A
    // texture that cannot be converted is an error naming it, and nothing changes.
    void OnDictionaryPlatform();

private:
    CommandContext m_context;
};

}  // namespace tinplate
