// SPDX-License-Identifier: GPL-3.0-or-later
// The batch loop: lock, read, edit, save and report per dictionary.
#include "txdtool/Batch.h"

#include <iostream>

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "txdtool/Progress.h"
#include "txdtool/Report.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

namespace {

std::string Dictionaries(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " dictionary" : " dictionaries");
}

// Opens, edits and saves one dictionary; returns whether it was written.
bool EditOne(const std::string& file, const std::string& prefix, const DictionaryEdit& edit) {
    if (IsStandardStream(file)) {
        throw FileError(file, "standard input cannot be saved; name the dictionary file");
    }
    DictionaryFile dictionary(file, DictionaryFile::Use::Edit);
    GfxBinding gfx;
    const Edited edited = edit(dictionary, gfx);
    if (!edited.changed) {
        return false;
    }
    dictionary.Save(gfx);
    if (!IsQuiet()) {
        for (const std::string& line : edited.done) {
            Output() << prefix << line << '\n';
        }
    }
    return true;
}

}  // namespace

int EditEachDictionary(std::string_view command, const std::vector<std::string>& files,
                       const DictionaryEdit& edit) {
    const bool several = files.size() > 1;
    std::size_t failed = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        ShowProgress(command, i, files.size(), file);
        try {
            const bool saved = EditOne(file, several ? PrintableText(file) + ": " : "", edit);
            if (IsVerbose()) {
                ReportNote(file, saved ? "saved" : "unchanged, not written");
            }
        } catch (const FileError& error) {
            // In a batch, a complaint about another file (the picture) says which dictionary
            // it stopped.
            const bool aboutOther =
                several && !error.fileName().empty() && error.fileName() != file;
            ReportError(aboutOther ? FileError(file, error.what()) : error);
            ++failed;
        }
    }
    ClearProgressLine();
    if (several && !IsQuiet()) {
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
