// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionaries inside an archive, as the scan reads them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace tinplate {

struct ArchiveCallbacks {
    // One dictionary entry: its name and bytes, which `owner` keeps while it is held.
    std::function<void(const std::string& entry, std::span<const std::uint8_t> bytes,
                       const std::shared_ptr<const void>& owner)>
        dictionary;
    // The archive (empty entry) or one of its entries could not be read, and why.
    std::function<void(const std::string& entry, const std::string& reason)> failed;
};

// Hands over every entry of the archive whose content is a dictionary, in directory order.
void ForEachArchiveDictionary(const std::string& archive, const ArchiveCallbacks& callbacks);

}  // namespace tinplate
