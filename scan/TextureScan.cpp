// SPDX-License-Identifier: GPL-3.0-or-later
// Reads each dictionary the walk finds and hands its textures over.
#include "scan/TextureScan.h"

#include <exception>
#include <new>

#include "fileio/FileError.h"
#include "fileio/MappedFile.h"
#include "scan/ArchiveDictionaries.h"
#include "scan/FolderWalk.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

class Scan {
public:
    Scan(const ScanOptions& options, ScanVisitor& visitor)
        : m_options(options), m_visitor(visitor) {}

    void File(const std::string& path, FoundFile what) {
        m_visitor.Reading(path);
        if (what == FoundFile::kArchive) {
            Archive(path);
            return;
        }
        const ScanPlace place{path, {}};
        Guarded(place, [&] {
            const std::shared_ptr<const MappedFile> file = MappedFile::Open(path);
            HandOver(place, ParseDictionary(file->bytes(), path, file, Judging()));
        });
    }

private:
    void Archive(const std::string& path) {
        ForEachArchiveDictionary(
            path, {[&](const std::string& entry, std::span<const std::uint8_t> bytes,
                       const std::shared_ptr<const void>& owner) {
                       if (Stopped()) {
                           return;
                       }
                       const ScanPlace place{path, entry};
                       Guarded(place, [&] {
                           HandOver(place,
                                    ParseDictionary(bytes, PlaceText(place), owner, Judging()));
                       });
                   },
                   [&](const std::string& entry, const std::string& reason) {
                       m_visitor.Failure({path, entry}, reason);
                   }});
    }

    // A digest is of the game picture, which needs the order.
    OrderJudging Judging() const {
        return m_options.orders || m_options.pictures ? OrderJudging::kJudged
                                                      : OrderJudging::kLeftOut;
    }

    bool Stopped() const {
        return m_options.stop != nullptr && m_options.stop->load(std::memory_order_relaxed);
    }

    // A dictionary that cannot be read, or whose picture cannot be made, is one failure of
    // the scan, never its end.
    template <typename Read>
    void Guarded(const ScanPlace& place, const Read& read) {
        try {
            read();
        } catch (const FileError& error) {
            m_visitor.Failure(place, error.reason());
        } catch (const std::bad_alloc&) {
            m_visitor.Failure(place, "not enough memory to read it");
        }
    }

    void HandOver(const ScanPlace& place, const std::vector<TextureEntry>& textures) {
        for (std::size_t i = 0; i < textures.size(); ++i) {
            const TextureRecord& record = textures[i].record;
            m_visitor.Texture({place, i, textures[i],
                               m_options.pictures ? FirstLevelDigest(record) : std::nullopt});
        }
        m_visitor.DictionaryRead(place, textures.size());
    }

    const ScanOptions& m_options;
    ScanVisitor& m_visitor;
};

}  // namespace

void ScanTextures(const std::vector<std::string>& roots, const ScanOptions& options,
                  ScanVisitor& visitor) {
    Scan scan(options, visitor);
    WalkFolders(roots,
                {[&](const std::string& path, FoundFile what) { scan.File(path, what); },
                 [&](const std::string& path, const std::string& reason) {
                     visitor.Failure({path, {}}, reason);
                 }},
                options.stop);
}

}  // namespace tinplate
