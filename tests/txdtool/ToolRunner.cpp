// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRunner.h"

#include <elf.h>
#include <link.h>
#include <linux/capability.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadBack(int fd) {
    std::string text;
    char chunk[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

ToolRun Run(std::vector<std::string> command, bool dropOverride) {
    std::vector<char*> argv;
    for (std::string& word : command) {
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
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBack(out), ReadBack(err)};
}

std::vector<std::string> Command(std::vector<std::string> prefix,
                                 const std::vector<std::string>& arguments) {
    prefix.insert(prefix.end(), arguments.begin(), arguments.end());
    return prefix;
}

// The interpreter named by this test program, the same one txdtool uses.
std::string DynamicLoader() {
    std::string path;
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type == PT_INTERP) {
                    *static_cast<std::string*>(found) =
                        reinterpret_cast<const char*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                }
            }
            return 1;  // the first object is the program itself
        },
        &path);
    return path;
}

}  // namespace

ToolRun RunTxdtool(const std::vector<std::string>& arguments) {
    return Run(Command({TXDTOOL_PATH}, arguments), false);
}

ToolRun RunTxdtoolWithoutGfx(const std::vector<std::string>& arguments) {
    // The loader gives the program it starts an empty object name: "" is in the list too.
    return Run(Command({DynamicLoader(), "--inhibit-rpath", std::string(":") + TXDTOOL_PATH,
                        "--library-path", DDS_ONLY_LIBRARY_DIR, TXDTOOL_PATH},
                       arguments),
               false);
}

ToolRun RunTxdtoolWithoutOverride(const std::vector<std::string>& arguments) {
    return Run(Command({TXDTOOL_PATH}, arguments), true);
}
