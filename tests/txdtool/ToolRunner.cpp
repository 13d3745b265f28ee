// SPDX-License-Identifier: GPL-3.0-or-later
// Running txdtool with its output and status captured.
#include <elf.h>
#include <link.h>
#include <linux/capability.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

std::string ReadBack(int fd) {
    std::string text(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)), '\0');
    EXPECT_EQ(::pread(fd, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
    ::close(fd);
    return text;
}

ToolRun Run(std::vector<std::string> prefix, const std::vector<std::string>& arguments,
            bool dropOverride = false) {
    prefix.insert(prefix.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : prefix) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const int out = ::memfd_create("out", MFD_CLOEXEC);
    const int err = ::memfd_create("err", MFD_CLOEXEC);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (dropOverride && ::geteuid() == 0 &&
            (::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE) != 0 ||
             ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH) != 0)) {
            ::_exit(kCannotDropOverride);
        }
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBack(out), ReadBack(err)};
}

// The interpreter named by this test program, the same one txdtool uses.
std::string DynamicLoader() {
    std::string path;
    const auto find = [](dl_phdr_info* info, std::size_t, void* found) {
        for (int i = 0; i < info->dlpi_phnum; ++i) {
            if (info->dlpi_phdr[i].p_type == PT_INTERP) {
                *static_cast<std::string*>(found) =
                    reinterpret_cast<const char*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
            }
        }
        return 1;  // the first object is the program itself
    };
    ::dl_iterate_phdr(find, &path);
    return path;
}

}  // namespace

ToolRun RunTxdtool(const std::vector<std::string>& arguments) {
    return Run({TXDTOOL_PATH}, arguments);
}

ToolRun RunTxdtoolWithoutGfx(const std::vector<std::string>& arguments) {
    // The loader gives the program it starts an empty object name, hence "" in the list.
    return Run({DynamicLoader(), "--inhibit-rpath", std::string(":") + TXDTOOL_PATH,
                "--library-path", DDS_ONLY_LIBRARY_DIR, TXDTOOL_PATH},
               arguments);
}

ToolRun RunProgram(const std::vector<std::string>& words) {
    return Run({}, words);
}

ToolRun RunTxdtoolWithoutOverride(const std::vector<std::string>& arguments) {
    return Run({TXDTOOL_PATH}, arguments, true);
}

ToolRun RunShellLine(const std::string& line, bool dropOverride) {
    const std::string folder = std::filesystem::path(TXDTOOL_PATH).parent_path().string();
    return Run({"/bin/bash", "-o", "pipefail", "-c", "PATH=\"$0:$PATH\"; " + line, folder}, {},
               dropOverride);
}

}  // namespace tinplate
