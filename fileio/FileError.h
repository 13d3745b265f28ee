// SPDX-License-Identifier: GPL-3.0-or-later
// The error of a file that could not be read, written or understood: its name and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace tinplate {

// A file that could not be read, written or understood. Every command lets it reach the
// window, which shows the file and the reason and stays open.
class FileError : public std::runtime_error {
public:
    FileError(std::string fileName, std::string reason)
        : std::runtime_error(fileName + ": " + reason),
          m_fileName(std::move(fileName)),
          m_reason(std::move(reason)) {}

    // The reason taken from errno, as the system words it.
    static FileError FromErrno(const std::string& fileName, int errorNumber);

    const std::string& fileName() const { return m_fileName; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_fileName;
    std::string m_reason;
};

}  // namespace tinplate
