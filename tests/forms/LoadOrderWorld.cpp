#include "tests/forms/LoadOrderWorld.h"

#include <cstdio>

namespace corvanis_test {

namespace {

std::string FileEntry(const std::string& name, const std::string& slot, int flags = 1) {
    return R"({"name": ")" + name + R"(", "slot": ")" + slot + R"(", "flags": )" + std::to_string(flags) + "},";
}

std::string Padding(const char* pattern, int count, const std::string& slot) {
    std::string files;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, pattern, i);
        files += FileEntry(name, slot);
    }
    return files;
}

}  // namespace

std::string LoadOrderWorld(const std::string& forms) {
    // Each slot kind counts its own files: the padding puts Frontier.vmf at
    // compile index 1A, Extra.vmf at FE index 012 and Crew.vmf at FD index 05.
    const std::string files = FileEntry("Veltrane.vmf", "full") + Padding("Full%02d.vmf", 0x19, "full") +
                              FileEntry("Frontier.vmf", "full") + Padding("Small%03d.vmf", 0x12, "small") +
                              FileEntry("Extra.vmf", "small") + Padding("Medium%02d.vmf", 5, "medium") +
                              FileEntry("Crew.vmf", "medium") + FileEntry("Dormant.vmf", "full", 0) +
                              FileEntry("", "full");
    return R"({"format": "veltrane-world 1", "player": null, "files": [)" + files.substr(0, files.size() - 1) +
           R"(], "forms": [)" + forms + "]}";
}

}  // namespace corvanis_test
