// SPDX-License-Identifier: GPL-3.0-or-later
// The scan commands' failures, progress bar and streamed JSON.
#include "txdtool/ScanReport.h"

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "scan/FolderWalk.h"
#include "txdtool/Progress.h"
#include "txdtool/Report.h"

namespace tinplate {

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr std::size_t kBarWidth = 20;

void DumpInto(std::ostream& out, const nlohmann::json& value) {
    // Names and paths may hold bytes that are not UTF-8; they are shown with U+FFFD for those.
    out << value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

nlohmann::json JsonPlace(const ScanPlace& place) {
    return {{"file", place.file},
            {"entry", place.InArchive() ? nlohmann::json(place.entry) : nullptr}};
}

ScanProgress::ScanProgress(std::string_view command, const std::vector<std::string>& roots)
    : m_command(command), m_start(std::chrono::steady_clock::now()) {
    // Counting first costs a walk of the names alone, worth it only where the bar is seen.
    if (ProgressWanted()) {
        WalkFolders(roots, {[this](const std::string&, FoundFile) { ++m_total; },
                            [](const std::string&, const std::string&) {}});
    }
}

ScanProgress::~ScanProgress() {
    ClearProgressLine();
}

void ScanProgress::Reading(const std::string& file) {
    ++m_files;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_start < kQuietStart || now - m_lastShown < kRedrawEvery || !ProgressWanted()) {
        return;
    }
    m_lastShown = now;
    const std::size_t total = std::max(m_total, m_files);
    const std::size_t filled = kBarWidth * m_files / total;
    ShowProgressText("txdtool: " + m_command + ": [" + std::string(filled, '#') +
                     std::string(kBarWidth - filled, '.') + "] " + std::to_string(m_files) + "/" +
                     std::to_string(total) + " files, " + std::to_string(m_textures) +
                     " textures, " + std::to_string(m_failures) + " unreadable " +
                     PrintableText(file));
}

JsonStream::JsonStream(std::ostream& out, std::string_view key) : m_out(out) {
    m_out << "{\n  \"format\": 1,\n  \"" << key << "\": [";
}

void JsonStream::Add(const nlohmann::json& element) {
    m_out << (m_first ? "\n    " : ",\n    ");
    m_first = false;
    DumpInto(m_out, element);
}

void JsonStream::Error(const ScanPlace& place, const std::string& reason) {
    m_errors.push_back({{"where", JsonPlace(place)}, {"error", reason}});
}

void JsonStream::Finish() {
    m_out << (m_first ? "],\n  \"errors\": " : "\n  ],\n  \"errors\": ");
    DumpInto(m_out, m_errors);
    m_out << "\n}\n";
}

void ReportingVisitor::Failure(const ScanPlace& place, const std::string& reason) {
    ++m_failures;
    m_progress.Failure();
    ReportError(FileError(PlaceText(place), reason));
    if (m_json != nullptr) {
        m_json->Error(place, reason);
    }
}

}  // namespace tinplate
