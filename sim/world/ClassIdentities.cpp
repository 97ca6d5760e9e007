#include "sim/world/ClassIdentities.h"

#include "host/layouts/LoadedCells.h"

namespace sim {

namespace {

// A class's table in the game module. Only its address matters; the name
// helps whoever looks at the memory.
struct ClassTable {
    const char* name;
};

const ClassTable kClassTables[] = {
    {"Cell"}, {"InteriorCell"}, {"ShipCell"}, {"Form"}, {"Reference"}, {"CellManager"},
};

constexpr std::uintptr_t kLowClassIdentity = 0x10000;

}  // namespace

const void* ClassIdentity(ObjectClass objectClass) { return &kClassTables[static_cast<std::size_t>(objectClass)]; }

ObjectClass CellClass(std::size_t index) {
    return static_cast<ObjectClass>(static_cast<std::size_t>(ObjectClass::Cell1) + index);
}

std::optional<std::size_t> CellClassIndex(const void* identity) {
    for (std::size_t index = 0; index < veltrane::kCellClassCount; ++index) {
        if (identity == ClassIdentity(CellClass(index))) return index;
    }
    return std::nullopt;
}

const void* LowClassIdentity() { return reinterpret_cast<const void*>(kLowClassIdentity); }

std::string CellIdentityName(const void* identity) {
    if (const auto index = CellClassIndex(identity)) return "cell" + std::to_string(*index + 1);
    if (identity == LowClassIdentity()) return "low";
    if (identity == ClassIdentity(ObjectClass::Form)) return "other";
    return {};
}

std::optional<const void*> CellIdentityNamed(const std::string& name) {
    for (std::size_t index = 0; index < veltrane::kCellClassCount; ++index) {
        if (name == "cell" + std::to_string(index + 1)) return ClassIdentity(CellClass(index));
    }
    if (name == "low") return LowClassIdentity();
    if (name == "other") return ClassIdentity(ObjectClass::Form);
    return std::nullopt;
}

}  // namespace sim
