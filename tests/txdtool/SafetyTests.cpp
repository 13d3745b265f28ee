// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing of the user's is touched by the working files, by other txdtool runs in the same
// folder, or by a file-size limit.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "TxdtoolTest.h"

namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// txdtool started without waiting for it; `fileSizeLimit` 0 means none.
struct Child {
    Child(std::vector<std::string> words, rlim_t fileSizeLimit = 0) {
        words.insert(words.begin(), TXDTOOL_PATH);
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        err = ::memfd_create("err", MFD_CLOEXEC);
        pid = ::fork();
        if (pid == 0) {
            ::dup2(err, STDERR_FILENO);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            if (fileSizeLimit != 0) {
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    bool Running() { return ::waitpid(pid, &status, WNOHANG) == 0; }
    // The exit status; standard error in `message`.
    int Wait() {
        ::waitpid(pid, &status, 0);
        message.resize(static_cast<std::size_t>(::lseek(err, 0, SEEK_END)));
        ::pread(err, message.data(), message.size(), 0);
        ::close(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t pid = -1;
    int err = -1;
    int status = 0;
    std::string message;
};

Files Snapshot(const std::vector<std::string>& names) {
    Files files;
    for (const std::string& name : names) {
        files[name] = ReadBytes(name);
    }
    return files;
}

TEST_F(TxdtoolTest, UserFilesNamedLikeWorkingFilesSurviveEveryCommand) {
    WriteSample();
    std::vector<std::string> names{"Temp.bmp",
                                   "Temp.dds",
                                   "MipMapIn.bmp",
                                   "MipMapOut.bmp",
                                   "ImportFile.bmp",
                                   "ImportFile.tga",
                                   "zebra_pal8_64.bmp",
                                   "mango_rgba_64x32.bmp",
                                   "mango_rgba_64x32.tga"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        WriteBytes(names[i], std::vector<std::uint8_t>(100 + i, static_cast<std::uint8_t>(i)));
    }
    const Files before = Snapshot(names);
    std::filesystem::create_directory("out");
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"preview", "sample.txd", "zebra_pal8_64", "out/a.png"},
             {"preview", "sample.txd", "dxt1_64_mips", "out/b.png"},
             {"preview", "sample.txd", "wide_rgba_512x128", "out/c.png"},
             {"export", "sample.txd", "-C", "out"},
             {"import", "sample.txd", "zebra_pal8_64", "out/zebra_pal8_64.tga"},
             {"import", "sample.txd", "mango_rgba_64x32", "out/mango_rgba_64x32.dds"},
             {"swizzle", "sample.txd"},
             {"flip", "sample.txd", "zebra_pal8_64"},
             {"alpha", "sample.txd", "zebra_pal8_64", "yes"}}) {
        EXPECT_EQ(RunTxdtool(words).status, 0) << words[0];
        EXPECT_EQ(Snapshot(names), before) << words[0];
    }
}

TEST_F(TxdtoolTest, TwoRunsInOneFolderDoNotDisturbEachOther) {
    const auto a = WriteDictionary("a.txd", StandardSampleTextures());
    ASSERT_EQ(RunTxdtool({"flip", "a.txd", "zebra_pal8_64"}).status, 0);
    const auto b = ReadBytes("a.txd");
    std::map<std::string, std::vector<std::uint8_t>> expected;
    for (const auto& [name, bytes] : {std::pair{"a.txd", a}, {"b.txd", b}}) {
        WriteBytes(name, bytes);
        ASSERT_EQ(RunTxdtool({"alpha", name, "zebra_pal8_64", "yes"}).status, 0);
        expected[name] = ReadBytes(name);
    }
    for (int round = 0; round < 4; ++round) {
        WriteBytes("a.txd", a);
        WriteBytes("b.txd", b);
        std::vector<Child> children;
        children.reserve(4);
        for (const char* name : {"a.txd", "b.txd"}) {
            children.emplace_back(std::vector<std::string>{"alpha", name, "zebra_pal8_64", "yes"});
            children.emplace_back(std::vector<std::string>{"preview", name, "dxt1_64_mips",
                                                           name + std::string(".png")});
        }
        for (Child& child : children) {
            EXPECT_EQ(child.Wait(), 0) << child.message;
        }
        EXPECT_EQ(ReadBytes("a.txd"), expected["a.txd"]);
        EXPECT_EQ(ReadBytes("b.txd"), expected["b.txd"]);
    }
}

TEST_F(TxdtoolTest, AnEditWaitsWhileAnotherHoldsTheLock) {
    WriteSample();
    const int holder = ::open("sample.txd", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    Child edit({"alpha", "sample.txd", "dxt3_32", "no"});
    ::usleep(300'000);
    EXPECT_TRUE(edit.Running());
    ::close(holder);
    EXPECT_EQ(edit.Wait(), 0) << edit.message;
    EXPECT_EQ(Record("sample.txd", "dxt3_32").hasAlpha, 0u);
}

// A file-size limit stops the write like a full disk: reported, and nothing changed.
TEST_F(TxdtoolTest, AFileSizeLimitLeavesTheDictionaryAndTheProductsAsTheyWere) {
    const auto original = WriteSample();
    Child save({"swizzle", "sample.txd"}, original.size() - 100);
    EXPECT_EQ(save.Wait(), 1);
    EXPECT_NE(save.message.find("sample.txd: File too large"), std::string::npos) << save.message;
    ASSERT_EQ(RunTxdtool({"export", "sample.txd", "wide_rgba_512x128"}).status, 0);
    const Files products = Snapshot({"sample.txd", "wide_rgba_512x128.dds"});
    ASSERT_EQ(RunTxdtool({"flip", "sample.txd", "wide_rgba_512x128"}).status, 0);
    Child exporter({"export", "sample.txd", "wide_rgba_512x128"}, 1000);
    EXPECT_EQ(exporter.Wait(), 1);
    EXPECT_NE(exporter.message.find("File too large"), std::string::npos) << exporter.message;
    EXPECT_EQ(ReadBytes("wide_rgba_512x128.dds"), products.at("wide_rgba_512x128.dds"));
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"sample.txd", "wide_rgba_512x128.dds"}));
}

}  // namespace
