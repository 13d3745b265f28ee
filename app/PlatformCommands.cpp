// SPDX-License-Identifier: GPL-3.0-or-later
// Converts the open dictionary to the platform the user chooses, refusals shown as errors.
#include "app/PlatformCommands.h"

#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <iterator>

#include "app/CommandTable.h"
#include "app/DictionaryPlatform.h"
#include "app/Prompts.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"
#include "edits/EditRefused.h"
#include "pixelops/PlatformConversion.h"

namespace tinplate {

PlatformCommands::PlatformCommands(const CommandContext& context)
    : QObject(&context.window), m_context(context) {
    m_context.commands.Register(command::kDictionaryPlatform, [this] { OnDictionaryPlatform(); });
}

void PlatformCommands::OnDictionaryPlatform() {
    TextureDocument& document = m_context.document;
    if (!document.IsOpen()) {
        return;
    }
    const std::span<const PlatformFacts> choices = Platforms();
    QStringList items;
    for (const PlatformFacts& facts : choices) {
        items << PlatformChoice(facts.id);
    }
    const std::uint32_t current = DictionaryPlatform(document.Textures());
    const auto found = std::ranges::find(choices, current, &PlatformFacts::id);
    const int offered =
        found == choices.end() ? 0 : static_cast<int>(std::distance(choices.begin(), found));
    const int chosen =
        m_context.prompts.ChooseItem(&m_context.window, tr("Platform of every texture:"), items,
                                     offered, tr("Convert to Platform"));
    if (chosen < 0 || chosen >= items.size()) {
        return;
    }
    const std::uint32_t target = choices[static_cast<std::size_t>(chosen)].id;
    // Each texture is read in its own order and stored in the one the target's games read.
    document.EditList(
        tr("Platform"), m_context.panel.CurrentRow(),
        [&](TextureDocument::TextureList& textures, int row) -> std::optional<int> {
            if (std::ranges::all_of(textures, [target](const TextureEntry& texture) {
                    return texture.record.platform == target;
                })) {
                return std::nullopt;
            }
            try {
                textures = ConvertedDictionary(textures, target);
            } catch (const ConversionRefused& refused) {
                throw EditRefused(refused.what());
            }
            return row;
        });
}

}  // namespace tinplate
