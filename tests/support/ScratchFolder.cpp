#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace corvanis_test {

ScratchFolder::ScratchFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    native_ = std::filesystem::path("scratch") / name;
    std::filesystem::remove_all(native_);
    std::filesystem::create_directories(native_);
    pluginPath_ = ".\\scratch\\" + name + "\\";
}

void ScratchFolder::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream file(Native(name), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchFolder::ReadFile(const std::string& name) const {
    std::ifstream file(Native(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> ScratchFolder::Contents() const {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(native_)) {
        const std::string name = std::filesystem::relative(entry.path(), native_).generic_string();
        contents[name] = entry.is_directory() ? "<folder>" : ReadFile(name);
    }
    return contents;
}

}  // namespace corvanis_test
