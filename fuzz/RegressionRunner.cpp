// A fuzz target's entry function without libFuzzer: runs it once on each
// file named on the command line, so that the ordinary tests replay every
// input a fuzzer once failed on, on every build. A finding shows as the
// sanitizer's report or the target's own message, and a failing exit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (!file && !file.eof()) {
            std::fprintf(stderr, "%s: the file cannot be read\n", argv[i]);
            return 1;
        }
        // A block of exactly the input's size, as libFuzzer hands it over: a
        // read past its end is the address sanitizer's to see.
        const auto input = std::make_unique<std::uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), input.get());
        std::printf("%s\n", argv[i]);
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(input.get(), bytes.size());
    }
    std::printf("%d inputs ran\n", argc - 1);
    return 0;
}
