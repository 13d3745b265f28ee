// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds every file named, or found in a folder named, to the fuzz target once: the sanitizers
// of the ordinary build then check every input fuzzing ever kept or found.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz/FuzzTarget.h"

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
                inputs.push_back(entry.path());
            }
        } else if (std::filesystem::is_regular_file(argv[i])) {
            inputs.push_back(argv[i]);
        } else {
            std::cerr << argv[i] << ": no such file or folder\n";
            return 1;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        std::cout << input.filename().string() << '\n';
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed\n";
    return inputs.empty() ? 1 : 0;
}
