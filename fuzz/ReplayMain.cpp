// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds every file of the given corpus directories (or the given files) to the fuzz target
// once: the replay of the committed corpora in the normal test build, without libFuzzer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

int replay(const fs::path& file) {
    std::ifstream input(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(input),
                                  std::istreambuf_iterator<char>()};
    // A fresh copy of exactly the file's size, so reading past it is caught.
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    return LLVMFuzzerTestOneInput(data.data(), data.size());
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = argv[i];
        std::vector<fs::path> files;
        if (fs::is_directory(given)) {
            for (const auto& entry : fs::directory_iterator(given))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.push_back(given);
        }
        for (const auto& file : files) {
            replay(file);
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    // A corpus that went missing must not pass as a clean replay.
    return inputs > 0 ? 0 : 1;
}
