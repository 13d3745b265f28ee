// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu: how large the picture is shown and which of its channels, kept between runs.
#pragma once

#include <QObject>

#include "app/CommandContext.h"

namespace tinplate {

class ViewCommands : public QObject {
    Q_OBJECT

public:
    // Registers the View menu's handlers in the context's command table.
    explicit ViewCommands(const CommandContext& context);

    // Checks the menu entries of the zoom and the channels in force.
    void UpdateViewChecks();
    void SaveViewState() const;
    // The zoom and channels as the user left them in an earlier run.
    void RestoreViewState();

private:
    CommandContext m_context;
};

}  // namespace tinplate
