// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample dictionary: txdgen OUT.txd
#include <cstdio>
#include <exception>

#include "DictionaryBuilder.h"
#include "FileError.h"
#include "FileIo.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: txdgen OUT.txd\n");
        return 2;
    }
    try {
        WriteNewFile(argv[1], {BuildDictionary(StandardSampleTextures())});
    } catch (const FileError& error) {
        std::fprintf(stderr, "txdgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
