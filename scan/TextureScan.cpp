// SPDX-License-Identifier: GPL-3.0-or-later
// Reads each dictionary the walk finds and hands its textures over.
#include "scan/TextureScan.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <thread>

#include "fileio/FileError.h"
#include "fileio/MappedFile.h"
#include "scan/ArchiveDictionaries.h"
#include "scan/FolderWalk.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

// Digests are made for this many dictionaries at a time, on every core; the visitor still
// sees them one after another in walk order. Only these few stay mapped together.
constexpr std::size_t kDigestBatch = 16;
constexpr unsigned kMostDigestThreads = 8;

// A dictionary read, or a place that failed, waiting for its digests and its turn.
struct Pending {
    ScanPlace place;
    std::shared_ptr<const void> owner;
    std::vector<TextureEntry> textures;
    std::vector<std::optional<PictureDigest>> digests;
    std::optional<std::string> failure;  // why the place could not be read
};

std::string ReasonOf(const std::exception_ptr& thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const FileError& error) {
        return error.reason();
    } catch (const std::bad_alloc&) {
        return "not enough memory to read it";
    }
}

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
            std::shared_ptr<const MappedFile> file = MappedFile::Open(path);
            HandOver(place, ParseDictionary(file->bytes(), path, file, Judging()), file);
        });
    }

    void Failure(const ScanPlace& place, const std::string& reason) {
        if (m_options.pictures) {
            m_batch.push_back({place, nullptr, {}, {}, reason});
            return;
        }
        m_visitor.Failure(place, reason);
    }

    // Hands over what is still waiting for its digests.
    void Finish() { Flush(); }

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
                                    ParseDictionary(bytes, PlaceText(place), owner, Judging()),
                                    owner);
                       });
                   },
                   [&](const std::string& entry, const std::string& reason) {
                       Failure({path, entry}, reason);
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
        } catch (const FileError&) {
            Failure(place, ReasonOf(std::current_exception()));
        } catch (const std::bad_alloc&) {
            Failure(place, ReasonOf(std::current_exception()));
        }
    }

    void HandOver(const ScanPlace& place, std::vector<TextureEntry> textures,
                  std::shared_ptr<const void> owner) {
        if (!m_options.pictures) {
            Visit({place, std::move(owner), std::move(textures), {}, {}});
            return;
        }
        m_batch.push_back({place, std::move(owner), std::move(textures), {}, {}});
        if (m_batch.size() >= kDigestBatch) {
            Flush();
        }
    }

    void Flush() {
        MakeDigests();
        for (Pending& pending : m_batch) {
            Visit(pending);
        }
        m_batch.clear();
    }

    // Every texture of the batch, on as many threads as there are cores. A dictionary whose
    // picture cannot be made fails whole, as reading it would have.
    void MakeDigests() {
        struct Job {
            Pending* pending;
            std::size_t texture;
        };
        std::vector<Job> jobs;
        for (Pending& pending : m_batch) {
            pending.digests.resize(pending.textures.size());
            for (std::size_t i = 0; i < pending.textures.size(); ++i) {
                jobs.push_back({&pending, i});
            }
        }
        std::vector<std::exception_ptr> thrown(jobs.size());
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t j; (j = next.fetch_add(1)) < jobs.size();) {
                Pending& pending = *jobs[j].pending;
                try {
                    pending.digests[jobs[j].texture] =
                        FirstLevelDigest(pending.textures[jobs[j].texture].record);
                } catch (...) {
                    thrown[j] = std::current_exception();
                }
            }
        };
        const unsigned helpers = std::min({std::max(std::thread::hardware_concurrency(), 1u),
                                           kMostDigestThreads, static_cast<unsigned>(jobs.size())});
        {
            std::vector<std::jthread> threads;
            for (unsigned t = 1; t < helpers; ++t) {
                threads.emplace_back(work);
            }
            work();
        }
        for (std::size_t j = 0; j < jobs.size(); ++j) {
            if (thrown[j] && !jobs[j].pending->failure) {
                jobs[j].pending->failure = ReasonOf(thrown[j]);
            }
        }
    }

    void Visit(const Pending& pending) {
        if (pending.failure) {
            m_visitor.Failure(pending.place, *pending.failure);
            return;
        }
        for (std::size_t i = 0; i < pending.textures.size(); ++i) {
            m_visitor.Texture({pending.place, i, pending.textures[i],
                               i < pending.digests.size() ? pending.digests[i] : std::nullopt});
        }
        m_visitor.DictionaryRead(pending.place, pending.textures.size());
    }

    const ScanOptions& m_options;
    ScanVisitor& m_visitor;
    std::vector<Pending> m_batch;
};

}  // namespace

void ScanTextures(const std::vector<std::string>& roots, const ScanOptions& options,
                  ScanVisitor& visitor) {
    Scan scan(options, visitor);
    WalkFolders(roots,
                {[&](const std::string& path, FoundFile what) { scan.File(path, what); },
                 [&](const std::string& path, const std::string& reason) {
                     scan.Failure({path, {}}, reason);
                 }},
                options.stop);
    scan.Finish();
}

}  // namespace tinplate
