// SPDX-License-Identifier: GPL-3.0-or-later
// What find, index and duplicates share: failures reported as they come, the progress bar, and
// JSON documents written as the scan goes.
#pragma once

#include <chrono>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "scan/TextureScan.h"

namespace tinplate {

// {"file": FILE, "entry": ENTRY or null}
nlohmann::json JsonPlace(const ScanPlace& place);

// Once a scan has run for a second, a bar on standard error tells how many of the files
// found are read (only on a terminal, and not with -q).
class ScanProgress {
public:
    ScanProgress(std::string_view command, const std::vector<std::string>& roots);
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;
    ~ScanProgress();

    void Reading(const std::string& file);
    void Texture() { ++m_textures; }
    void Failure() { ++m_failures; }

private:
    std::string m_command;
    std::size_t m_total = 0;
    std::size_t m_files = 0;
    std::size_t m_textures = 0;
    std::size_t m_failures = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastShown;
};

// A JSON document {"format": 1, KEY: [...], "errors": [...]} written element by element, so
// that nothing of a large scan is held; the errors, few, are kept until the end.
class JsonStream {
public:
    JsonStream(std::ostream& out, std::string_view key);
    void Add(const nlohmann::json& element);
    void Error(const ScanPlace& place, const std::string& reason);
    void Finish();

private:
    std::ostream& m_out;
    bool m_first = true;
    nlohmann::json m_errors = nlohmann::json::array();
};

// The visitor every scan command builds on: failures go to standard error as they come (and
// into the JSON document when there is one), and the progress bar follows.
class ReportingVisitor : public ScanVisitor {
public:
    ReportingVisitor(std::string_view command, const std::vector<std::string>& roots,
                     JsonStream* json)
        : m_progress(command, roots), m_json(json) {}

    void Failure(const ScanPlace& place, const std::string& reason) override;
    void Reading(const std::string& file) override { m_progress.Reading(file); }
    std::size_t Failures() const { return m_failures; }

protected:
    ScanProgress m_progress;
    JsonStream* m_json;

private:
    std::size_t m_failures = 0;
};

}  // namespace tinplate
