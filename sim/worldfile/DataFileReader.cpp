// The data files in their load order: the slot each is loaded in gives the
// IDs of the forms it defines.
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>

#include "host/layouts/DataFiles.h"
#include "sim/world/AsciiCase.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

void ReadFiles(const Entry& files, World& world) {
    std::uint32_t full = 0, small = 0, medium = 0;
    std::unordered_map<std::string, std::string> seen;
    for (const Entry& entry : files.Elements()) {
        entry.AllowOnly({"name", "slot", "flags"});
        auto file = std::make_unique<veltrane::FileRecord>();
        file->name = entry.Field("name").String();
        if (auto [at, added] = seen.emplace(CaseFolded(file->name), entry.Path()); !added) {
            entry.Field("name").Fail("the file \"" + file->name + "\" is also loaded at " + at->second);
        }
        const std::string slot = entry.Has("slot") ? entry.Field("slot").String() : "full";
        if (slot == "full") {
            if (full == kMaxFullFiles) entry.Fail("more full-slot files than compile indices");
            file->slot = FileSlot::Full;
            file->compileIndex = static_cast<std::uint8_t>(full++);
        } else if (slot == "small") {
            if (small == kMaxSmallFiles) entry.Fail("more small-slot files than FE indices");
            file->slot = FileSlot::Small;
            file->compileIndex = kSmallSlotByte;
            file->smallIndex = static_cast<std::uint16_t>(small++);
        } else if (slot == "medium") {
            if (medium == kMaxMediumFiles) entry.Fail("more medium-slot files than FD indices");
            file->slot = FileSlot::Medium;
            file->compileIndex = kMediumSlotByte;
            file->mediumIndex = static_cast<std::uint8_t>(medium++);
        } else {
            entry.Field("slot").Fail("must be \"full\", \"small\" or \"medium\"");
        }
        if (auto flags = entry.Optional("flags")) {
            file->flags = static_cast<std::uint32_t>(flags->Unsigned(std::numeric_limits<std::uint32_t>::max()));
        }
        world.AddFile(std::move(file));
    }
}

}  // namespace sim
