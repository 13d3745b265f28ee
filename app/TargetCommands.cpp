// SPDX-License-Identifier: GPL-3.0-or-later
// The properties of textures and the game target of the dictionary.
#include "app/TargetCommands.h"

#include <QListWidget>
#include <QWidget>
#include <algorithm>

#include "app/CommandTable.h"
#include "app/Prompts.h"
#include "app/TargetChoices.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"
#include "edits/EditRefused.h"
#include "pixelops/PlatformConversion.h"
#include "pixelops/TargetConversion.h"
#include "txd/GameTargets.h"

namespace tinplate {

namespace {

// The rows of the selected textures the search field shows, in list order; the current
// row alone when none is selected.
std::vector<std::size_t> SelectedRows(TexturePanel& panel) {
    std::vector<std::size_t> rows;
    QListWidget& list = panel.List();
    for (QListWidgetItem* item : list.selectedItems()) {
        if (!item->isHidden()) {
            rows.push_back(static_cast<std::size_t>(list.row(item)));
        }
    }
    if (rows.empty() && panel.CurrentRow() >= 0) {
        rows.push_back(static_cast<std::size_t>(panel.CurrentRow()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

TargetCommands::TargetCommands(const CommandContext& context)
    : QObject(&context.window), m_context(context) {
    m_context.commands.Register(command::kTextureProperties, [this] { OnTextureProperties(); });
    m_context.commands.Register(command::kDictionaryTarget, [this] { OnDictionaryTarget(); });
}

void TargetCommands::OnTextureProperties() {
    TextureDocument& document = m_context.document;
    const std::vector<std::size_t> rows = SelectedRows(m_context.panel);
    if (rows.empty()) {
        return;
    }
    std::vector<const TextureEntry*> textures;
    for (const std::size_t row : rows) {
        textures.push_back(&document.Textures().at(row));
    }
    const auto changes = m_context.prompts.EditProperties(&m_context.window, textures);
    if (!changes || changes->Empty()) {
        return;
    }
    document.EditList(tr("Properties"), m_context.panel.CurrentRow(),
                      [&](TextureDocument::TextureList& list, int row) -> std::optional<int> {
                          bool changed = false;
                          for (const std::size_t at : rows) {
                              changed = ApplyProperties(list.at(at).record, *changes) || changed;
                          }
                          return changed ? std::optional<int>(row) : std::nullopt;
                      });
    m_context.panel.ShowSelectedTexture();
}

void TargetCommands::OnDictionaryTarget() {
    TextureDocument& document = m_context.document;
    if (!document.IsOpen()) {
        return;
    }
    const int chosen =
        m_context.prompts.ChooseItem(&m_context.window, tr("Game and platform to write for:"),
                                     TargetTexts(), OfferedIndex(document.ChosenTarget()));
    const GameTarget* game = OfferedTarget(chosen);
    if (game == nullptr) {
        return;
    }
    TextureDocument::Target target{game->versionWord, game->platform, game};
    document.EditTarget(
        tr("Target"), m_context.panel.CurrentRow(),
        [&](TextureDocument::TextureList& textures, int row) -> std::optional<int> {
            try {
                TargetedTextures targeted =
                    Targeted(textures, document.VersionWord(), {game, game->versionWord});
                if (targeted.convertedNames.empty()) {
                    return std::nullopt;
                }
                textures = std::move(targeted.textures);
            } catch (const ConversionRefused& refused) {
                throw EditRefused(refused.what());
            }
            return row;
        },
        target);
    m_context.panel.ShowSelectedTexture();
}

}  // namespace tinplate
