// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// A private temporary folder that is the current directory for the test's lifetime: the
// editor's working files land in the current directory, and tests must not see each other's.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();

    const std::filesystem::path& path() const { return m_path; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

std::string Sha256Hex(std::span<const std::uint8_t> bytes);

// Path of a third-party fixture dictionary (read-only: copy before saving).
std::string FixturePath(const std::string& fileName);

// Copies a fixture into the current directory and returns the copy's name.
std::string CopyFixtureHere(const std::string& fileName);

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);
