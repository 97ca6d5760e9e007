#include "tests/e2e/harness/Text.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace e2e {

Lines SplitLines(std::string_view text) {
    Lines lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

Lines LinesStartingWith(const Lines& lines, std::string_view prefix) {
    Lines selected;
    for (const std::string& line : lines) {
        if (line.starts_with(prefix)) selected.push_back(line);
    }
    return selected;
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) throw std::runtime_error("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

Lines ReadLines(const std::filesystem::path& file) { return SplitLines(ReadBytes(file)); }

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace e2e
