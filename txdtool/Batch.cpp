// SPDX-License-Identifier: GPL-3.0-or-later
// The batch loop: lock, read, edit, save and report per dictionary.
#include "txdtool/Batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "fileio/FileError.h"
#include "txdtool/Progress.h"
#include "txdtool/Report.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

namespace {

// The commands move into the folders they work in; the next dictionary's relative name must
// still mean what the user typed.
class StartingFolder {
public:
    StartingFolder() : m_fd(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_fd < 0) {
            throw FileError::FromErrno(".", errno);
        }
    }
    StartingFolder(const StartingFolder&) = delete;
    StartingFolder& operator=(const StartingFolder&) = delete;
    ~StartingFolder() { ::close(m_fd); }

    void Return() const {
        if (::fchdir(m_fd) != 0) {
            throw FileError::FromErrno(".", errno);
        }
    }

private:
    int m_fd;
};

std::string Dictionaries(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " dictionary" : " dictionaries");
}

}  // namespace

int EditEachDictionary(std::string_view command, const std::vector<std::string>& files,
                       const std::function<EditResult(const std::string&)>& edit) {
    const StartingFolder start;
    std::size_t failed = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        ShowProgress(command, i, files.size(), file);
        try {
            if (IsStandardStream(file)) {
                throw FileError(file, "standard input cannot be saved; name the dictionary file");
            }
            const EditResult result = edit(file);
            if (IsVerbose()) {
                ReportNote(file, result == EditResult::Saved ? "saved" : "unchanged, not written");
            }
        } catch (const FileError& error) {
            ReportError(error);
            ++failed;
        }
        start.Return();
    }
    ClearProgressLine();
    if (files.size() > 1 && !IsQuiet()) {
        std::cerr << "txdtool: " << command << ": " << Dictionaries(files.size() - failed)
                  << " done" << (failed == 0 ? "" : ", " + std::to_string(failed) + " failed")
                  << '\n';
    }
    return failed == 0 ? 0 : 1;
}

std::ostream& Output() {
    ClearProgressLine();
    return std::cout;
}

}  // namespace tinplate
