// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu: how large the picture is shown, which of its channels, and whether as stored
// or as the game draws it, kept between runs.
#pragma once

#include <QObject>

#include "app/CommandContext.h"

namespace tinplate {

class ViewCommands : public QObject {
    Q_OBJECT

public:
    // Registers the View menu's handlers in the context's command table.
    explicit ViewCommands(const CommandContext& context);

    // Checks the menu entries of the zoom, the channels and the picture in force.
    void UpdateViewChecks();
    void SaveViewState() const;
    // The view as the user left it in an earlier run.
    void RestoreViewState();

private:
    CommandContext m_context;
};

}  // namespace tinplate
