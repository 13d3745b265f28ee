// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu's handlers: one per entry of the zoom and channel tables, and the game picture.
#include "app/ViewCommands.h"

#include <QAction>
#include <QWidget>
#include <utility>

#include "app/CommandTable.h"
#include "app/EditorSettings.h"
#include "app/PreviewView.h"
#include "app/TexturePanel.h"

namespace tinplate {
namespace {

constexpr std::pair<int, Zoom> kZoomCommands[] = {
    {command::kViewZoomStandard, Zoom::Standard}, {command::kViewZoomFit, Zoom::Fit},
    {command::kViewZoom100, Zoom::Percent100},    {command::kViewZoom200, Zoom::Percent200},
    {command::kViewZoom400, Zoom::Percent400},    {command::kViewZoom800, Zoom::Percent800},
};
constexpr std::pair<int, Channels> kChannelCommands[] = {
    {command::kViewColour, Channels::Colour},
    {command::kViewCheckerboard, Channels::Checkerboard},
    {command::kViewAlphaChannel, Channels::Alpha},
};
constexpr std::pair<int, void (PreviewView::*)()> kZoomSteps[] = {
    {command::kViewZoomIn, &PreviewView::ZoomIn},
    {command::kViewZoomOut, &PreviewView::ZoomOut},
};

}  // namespace

ViewCommands::ViewCommands(const CommandContext& context)
    : QObject(&context.window), m_context(context) {
    PreviewView& picture = m_context.panel.Picture();
    CommandTable& table = m_context.commands;
    for (const auto& [id, zoom] : kZoomCommands) {
        table.Register(id, [this, &picture, zoom] {
            picture.SetZoom(zoom);
            UpdateViewChecks();
        });
    }
    for (const auto& [id, step] : kZoomSteps) {
        table.Register(id, [this, &picture, step] {
            (picture.*step)();
            UpdateViewChecks();
        });
    }
    for (const bool thumbnails : {false, true}) {
        table.Register(thumbnails ? command::kViewThumbnails : command::kViewList,
                       [this, thumbnails] {
                           m_context.panel.ShowThumbnails(thumbnails);
                           UpdateViewChecks();
                       });
    }
    for (const auto& [id, channels] : kChannelCommands) {
        table.Register(id, [this, &picture, channels] {
            picture.SetChannels(channels);
            UpdateViewChecks();
        });
    }
    table.Register(command::kViewAsGameDrawsIt, [this] {
        m_context.panel.ShowGamePicture(!m_context.panel.ShowsGamePicture());
        UpdateViewChecks();
    });
}

void ViewCommands::UpdateViewChecks() {
    const PreviewView& picture = m_context.panel.Picture();
    for (QAction* action : m_context.window.findChildren<QAction*>()) {
        const int id = action->data().toInt();
        for (const auto& [zoomId, zoom] : kZoomCommands) {
            if (id == zoomId) {
                action->setChecked(zoom == picture.zoom());
            }
        }
        if (id == command::kViewList || id == command::kViewThumbnails) {
            action->setChecked((id == command::kViewThumbnails) ==
                               m_context.panel.ShowsThumbnails());
        }
        for (const auto& [channelId, channels] : kChannelCommands) {
            if (id == channelId) {
                action->setChecked(channels == picture.channels());
            }
        }
        if (id == command::kViewAsGameDrawsIt) {
            action->setChecked(m_context.panel.ShowsGamePicture());
        }
    }
}

void ViewCommands::SaveViewState() const {
    const PreviewView& picture = m_context.panel.Picture();
    EditorSettings settings;
    settings.setValue(EditorSettings::kZoom, static_cast<int>(picture.zoom()));
    settings.setValue(EditorSettings::kChannels, static_cast<int>(picture.channels()));
    settings.setValue(EditorSettings::kGamePicture, m_context.panel.ShowsGamePicture());
}

void ViewCommands::RestoreViewState() {
    PreviewView& picture = m_context.panel.Picture();
    EditorSettings settings;
    const int zoom = settings.value(EditorSettings::kZoom).toInt();
    for (const auto& [id, value] : kZoomCommands) {
        if (static_cast<int>(value) == zoom) {
            picture.SetZoom(value);
        }
    }
    const int channels = settings.value(EditorSettings::kChannels).toInt();
    for (const auto& [id, value] : kChannelCommands) {
        if (static_cast<int>(value) == channels) {
            picture.SetChannels(value);
        }
    }
    m_context.panel.ShowGamePicture(settings.value(EditorSettings::kGamePicture).toBool());
    UpdateViewChecks();
}

}  // namespace tinplate
