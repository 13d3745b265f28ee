// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's settings file and the keys it keeps there.
#pragma once

#include <QSettings>

namespace tinplate {

// The user's settings of the editor: ~/.config/txd-tinplate/txd-tinplate.conf.
class EditorSettings : public QSettings {
public:
    EditorSettings() : QSettings("txd-tinplate", "txd-tinplate") {}

    static constexpr const char* kRecentFiles = "recentFiles";
    static constexpr const char* kLastFolder = "lastFolder";
    static constexpr const char* kGeometry = "window/geometry";
    static constexpr const char* kZoom = "view/zoom";
    static constexpr const char* kChannels = "view/channels";
    static constexpr const char* kGamePicture = "view/gamePicture";
};

}  // namespace tinplate
