// SPDX-License-Identifier: GPL-3.0-or-later
// Showing and erasing the progress line.
#include "txdtool/Progress.h"

#include <unistd.h>

#include <iostream>

#include "fileio/PrintableText.h"
#include "txdtool/Verbosity.h"

namespace tinplate {

namespace {

constexpr std::size_t kWidest = 72;  // fits the narrowest usual terminal
constexpr const char* kEraseLine = "\r\033[K";

bool g_shown = false;

}  // namespace

bool ProgressWanted() {
    return !IsQuiet() && ::isatty(STDERR_FILENO) != 0;
}

void ShowProgress(std::string_view command, std::size_t done, std::size_t total,
                  const std::string& file) {
    ShowProgressText("txdtool: " + std::string(command) + ": " + std::to_string(done + 1) + "/" +
                     std::to_string(total) + " " + PrintableText(file));
}

void ShowProgressText(std::string line) {
    if (!ProgressWanted()) {
        return;
    }
    if (line.size() > kWidest) {
        line.resize(kWidest);
    }
    std::cout.flush();
    std::cerr << kEraseLine << line << std::flush;
    g_shown = true;
}

void ClearProgressLine() {
    if (g_shown) {
        std::cout.flush();
        std::cerr << kEraseLine << std::flush;
        g_shown = false;
    }
}

}  // namespace tinplate
