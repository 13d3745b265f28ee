// SPDX-License-Identifier: GPL-3.0-or-later
// find, index and duplicates: every texture under folders and in archives.
#include <fnmatch.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>

#include "fileio/PrintableText.h"
#include "txd/TextureKinds.h"
#include "txdtool/Commands.h"
#include "txdtool/Listing.h"
#include "txdtool/Progress.h"
#include "txdtool/ScanReport.h"
#include "txdtool/Utf8Text.h"
#include "txdtool/Verbosity.h"

namespace tinplate {

namespace {

// Sizes as people read them: "64 × 32 dxt1".
std::string SizeAndKind(const TextureRecord& record) {
    return std::to_string(record.width) + " \u00d7 " + std::to_string(record.height) + " " +
           std::string(KindWord(record));
}

std::uint64_t BlockBytes(const TextureRecord& record) {
    return record.blockEnd - record.headerOffset;
}

nlohmann::json JsonName(const std::string& name) {
    return IsValidUtf8(name) ? nlohmann::json(name) : nullptr;
}

class FindVisitor : public ReportingVisitor {
public:
    FindVisitor(const CommandArguments& arguments, JsonStream* json)
        : ReportingVisitor("find", {arguments.operands.begin() + 1, arguments.operands.end()},
                           json),
          m_pattern(arguments.operands.front()),
          m_flags(arguments.ignoreCase ? FNM_CASEFOLD : 0),
          m_masks(arguments.masks) {}

    void Texture(const ScannedTexture& found) override {
        m_progress.Texture();
        const TextureEntry& texture = found.texture;
        const std::string& mask = texture.record.maskName;
        if (!Matches(texture.name) && !(m_masks && !mask.empty() && Matches(mask))) {
            return;
        }
        ++m_matches;
        ClearProgressLine();
        if (m_json != nullptr) {
            m_json->Add({{"where", JsonPlace(found.place)},
                         {"index", found.index},
                         {"name", JsonName(texture.name)},
                         {"name_hex", HexOf(texture.name)},
                         {"mask", JsonName(mask)},
                         {"mask_hex", HexOf(mask)},
                         {"width", texture.record.width},
                         {"height", texture.record.height},
                         {"kind", KindWord(texture.record)},
                         {"platform", texture.record.platform},
                         {"mip_levels", texture.record.mipCount}});
            return;
        }
        std::cout << PrintableText(PlaceText(found.place)) << ": " << PrintableText(texture.name)
                  << " (" << SizeAndKind(texture.record)
                  << (m_masks && !mask.empty() ? ", mask " + PrintableText(mask) : "") << ")\n";
    }

    std::size_t Matches() const { return m_matches; }

private:
    bool Matches(const std::string& name) const {
        return ::fnmatch(m_pattern.c_str(), name.c_str(), m_flags) == 0;
    }

    std::string m_pattern;
    int m_flags;
    bool m_masks;
    std::size_t m_matches = 0;
};

class IndexVisitor : public ReportingVisitor {
public:
    IndexVisitor(const CommandArguments& arguments, JsonStream* json)
        : ReportingVisitor("index", arguments.operands, json), m_pictures(arguments.pictures) {
        if (json == nullptr) {
            std::cout << "Where\tIndex\tName\tMask\tWidth\tHeight\tKind\tPlatform\tMipMaps"
                      << (m_pictures ? "\tPicture\n" : "\n");
        }
    }

    void Texture(const ScannedTexture& found) override {
        m_progress.Texture();
        ClearProgressLine();
        const TextureRecord& r = found.texture.record;
        const std::string picture = found.picture ? found.picture->Hex() : "-";
        if (m_json != nullptr) {
            nlohmann::json listed = JsonTexture(found.index, found.texture);
            listed["where"] = JsonPlace(found.place);
            listed["mask"] = JsonName(r.maskName);
            listed["mask_hex"] = HexOf(r.maskName);
            if (m_pictures) {
                listed["picture"] = found.picture ? nlohmann::json(picture) : nullptr;
            }
            m_json->Add(listed);
            return;
        }
        std::cout << PrintableText(PlaceText(found.place)) << '\t' << found.index << '\t'
                  << PrintableText(found.texture.name) << '\t' << PrintableText(r.maskName) << '\t'
                  << r.width << '\t' << r.height << '\t' << KindWord(r) << '\t' << r.platform
                  << '\t' << r.mipCount;
        std::cout << (m_pictures ? '\t' + picture + '\n' : "\n");
    }

private:
    bool m_pictures;
};

// Every texture with a picture, held in a few words: its digest, its dictionary's number
// and its name's place in one block of names.
class DuplicatesVisitor : public ReportingVisitor {
public:
    DuplicatesVisitor(const CommandArguments& arguments, JsonStream* json)
        : ReportingVisitor("duplicates", arguments.operands, json) {}

    void Texture(const ScannedTexture& found) override {
        m_progress.Texture();
        if (!found.picture) {
            return;
        }
        if (m_places.empty() || !(m_places.back() == found.place)) {
            m_places.push_back(found.place);
        }
        const TextureRecord& r = found.texture.record;
        m_seen.push_back({*found.picture, static_cast<std::uint32_t>(m_places.size() - 1),
                          static_cast<std::uint32_t>(found.index),
                          static_cast<std::uint32_t>(m_names.size()),
                          static_cast<std::uint32_t>(BlockBytes(r)), r.width, r.height});
        m_names += found.texture.name;
        m_names += '\0';
    }

    // Groups of copies, the largest saving first; returns how many.
    std::size_t Report(std::ostream& out) {
        std::stable_sort(m_seen.begin(), m_seen.end(),
                         [](const Seen& a, const Seen& b) { return a.digest < b.digest; });
        std::vector<std::pair<std::size_t, std::size_t>> groups;  // first, end
        for (std::size_t first = 0; first < m_seen.size();) {
            std::size_t end = first + 1;
            while (end < m_seen.size() && m_seen[end].digest == m_seen[first].digest) {
                ++end;
            }
            if (end - first > 1) {
                groups.emplace_back(first, end);
            }
            first = end;
        }
        const auto saving = [this](const std::pair<std::size_t, std::size_t>& group) {
            std::uint64_t bytes = 0;
            for (std::size_t i = group.first + 1; i < group.second; ++i) {
                bytes += m_seen[i].bytes;
            }
            return bytes;
        };
        std::stable_sort(groups.begin(), groups.end(), [&](const auto& a, const auto& b) {
            const std::uint64_t savedA = saving(a);
            const std::uint64_t savedB = saving(b);
            return savedA != savedB ? savedA > savedB : a.first < b.first;
        });
        std::uint64_t total = 0;
        for (const auto& group : groups) {
            total += saving(group);
            Write(out, group, saving(group));
        }
        if (m_json == nullptr && !IsQuiet()) {
            out << groups.size() << " pictures stored more than once; removing the copies would "
                << "save " << total << " bytes\n";
        }
        return groups.size();
    }

private:
    struct Seen {
        PictureDigest digest;
        std::uint32_t place;
        std::uint32_t index;
        std::uint32_t name;
        std::uint32_t bytes;
        std::uint32_t width;
        std::uint32_t height;
    };

    std::string NameOf(const Seen& seen) const { return m_names.c_str() + seen.name; }

    void Write(std::ostream& out, const std::pair<std::size_t, std::size_t>& group,
               std::uint64_t saved) {
        const Seen& first = m_seen[group.first];
        const std::string size =
            std::to_string(first.width) + " \u00d7 " + std::to_string(first.height);
        if (m_json != nullptr) {
            nlohmann::json copies = nlohmann::json::array();
            for (std::size_t i = group.first; i < group.second; ++i) {
                const std::string name = NameOf(m_seen[i]);
                copies.push_back({{"where", JsonPlace(m_places[m_seen[i].place])},
                                  {"index", m_seen[i].index},
                                  {"name", JsonName(name)},
                                  {"name_hex", HexOf(name)},
                                  {"bytes", m_seen[i].bytes}});
            }
            m_json->Add({{"picture", first.digest.Hex()},
                         {"width", first.width},
                         {"height", first.height},
                         {"saved_bytes", saved},
                         {"textures", std::move(copies)}});
            return;
        }
        out << group.second - group.first << " copies of one " << size << " picture (" << saved
            << " bytes to save):\n";
        for (std::size_t i = group.first; i < group.second; ++i) {
            out << "  " << PrintableText(PlaceText(m_places[m_seen[i].place])) << ": "
                << PrintableText(NameOf(m_seen[i])) << '\n';
        }
    }

    std::vector<ScanPlace> m_places;
    std::vector<Seen> m_seen;
    std::string m_names;
};

// Runs the scan, then writes the JSON document's end; returns the visitor's failures.
template <typename Visitor>
std::size_t Scan(const std::vector<std::string>& roots, bool pictures, bool orders,
                 Visitor& visitor) {
    ScanTextures(roots, {pictures, nullptr, orders}, visitor);
    ClearProgressLine();
    return visitor.Failures();
}

}  // namespace

int RunFind(const CommandArguments& arguments) {
    std::optional<JsonStream> json;
    if (arguments.json) {
        json.emplace(std::cout, "matches");
    }
    FindVisitor visitor(arguments, json ? &*json : nullptr);
    const std::size_t failures =
        Scan({arguments.operands.begin() + 1, arguments.operands.end()}, false, false, visitor);
    if (json) {
        json->Finish();
    }
    return failures > 0 ? 2 : visitor.Matches() > 0 ? 0 : 1;
}

int RunIndex(const CommandArguments& arguments) {
    std::optional<JsonStream> json;
    if (arguments.json) {
        json.emplace(std::cout, "textures");
    }
    IndexVisitor visitor(arguments, json ? &*json : nullptr);
    // Only the JSON listing tells each texture's order.
    const std::size_t failures =
        Scan(arguments.operands, arguments.pictures, arguments.json, visitor);
    if (json) {
        json->Finish();
    }
    return failures > 0 ? 1 : 0;
}

int RunDuplicates(const CommandArguments& arguments) {
    std::optional<JsonStream> json;
    if (arguments.json) {
        json.emplace(std::cout, "groups");
    }
    DuplicatesVisitor visitor(arguments, json ? &*json : nullptr);
    const std::size_t failures = Scan(arguments.operands, true, true, visitor);
    visitor.Report(std::cout);
    if (json) {
        json->Finish();
    }
    return failures > 0 ? 1 : 0;
}

}  // namespace tinplate
