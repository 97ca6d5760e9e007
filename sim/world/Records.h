// The game's own objects: data files, forms (base forms, cells and references
// are all forms), extra data. The plug-in holds pointers to them but never
// looks inside; only the game does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "host/layouts/GameObjects.h"
#include "sim/memory/WorldMemory.h"
#include "sim/world/FormIDs.h"

namespace sim {

struct ComponentType;

struct ComponentInstance {
    const ComponentType* type;
    void* record;  // laid out as in host/layouts/, in game memory
};

struct ReferenceLink {
    veltrane::Form* keyword;  // may be null: the link without keyword
    veltrane::Form* target;
    bool persist;
};

enum class FormKind : std::uint8_t { Plain, Cell, Reference };

// What happens when a reference of a base form is created: most forms can be
// placed; a world may stage one the game refuses, one whose new reference is
// gone again before its handle is resolved, or one whose new reference comes
// without extra data.
enum class Placement : std::uint8_t { Normal, Refused, Vanishes, WithoutExtraData };

struct CellData {
    MemoryPlace memory = MemoryPlace::AboveTiB;  // where the cell object lies
    bool interior = false;
    bool loaded = true;  // what the game's cell check answers
    std::vector<veltrane::Form*> references;  // empty slots are null
};

struct ReferenceData {
    veltrane::Form* base = nullptr;
    veltrane::Form* parentCell = nullptr;
    // Where in its cell's reference array it was put, as a hint: removing
    // thousands of references from a cell of thousands stayed quadratic
    // while each had to be looked for. A hint gone stale (a reference
    // before it left the cell) costs one search.
    std::size_t slot = 0;
    float position[3] = {0, 0, 0};
    float rotation[3] = {0, 0, 0};  // radians
    std::uint16_t scale = 100;      // percent
    veltrane::ExtraDataList* extra = nullptr;  // owned by the world; null when absent
    veltrane::Form* interiorCell = nullptr;    // set on ship references
    std::uint32_t handle = 0;
    std::uint32_t heldCount = 0;  // references handed out by handle and not released
    bool removed = false;
    bool workshopCleanupDone = false;
    // How many links of extra data lists lead to this reference, so that the
    // clean-up after a removal searches the world for them only when there
    // are any: an interior import removes thousands of workshop items, and a
    // search of every reference for each made it take seconds.
    std::uint32_t linksToIt = 0;
};

}  // namespace sim

namespace veltrane {

struct FileRecord {
    std::string name;
    sim::FileSlot slot = sim::FileSlot::Full;
    std::uint8_t compileIndex = 0;  // 0xFE for small, 0xFD for medium files
    std::uint8_t mediumIndex = 0;
    std::uint16_t smallIndex = 0;
    std::uint32_t flags = 1;  // bit 0: the file is active

    std::uint32_t SlotIndex() const {
        switch (slot) {
            case sim::FileSlot::Full: return compileIndex;
            case sim::FileSlot::Small: return smallIndex;
            case sim::FileSlot::Medium: return mediumIndex;
        }
        return 0;
    }

    // None when the local ID does not fit a file of this slot.
    std::optional<std::uint32_t> FormIDOf(std::uint32_t localID) const {
        if (localID > sim::LocalIDMask(slot)) return std::nullopt;
        return sim::ComposeFormID(slot, SlotIndex(), localID);
    }
};

struct ExtraDataList {
    std::optional<std::string> editorID;      // kind 6
    std::optional<std::string> overrideName;  // kind 150
    std::optional<std::uint32_t> formID;      // kind 180
    std::vector<sim::ReferenceLink> links;
};

struct Form {
    ObjectHead head{};  // the class identity, where every game object has it
    std::uint32_t formID = 0;
    std::uint8_t storedType = 0;
    std::uint8_t queryType = 0;  // what the virtual type query answers
    std::uint16_t fileListIndex = kNoFileList;
    sim::FormKind kind = sim::FormKind::Plain;
    std::string worldName;  // "@Name" for run-time forms a world file names
    std::string editorID;   // references keep theirs in extra data
    std::string displayName;
    bool hasKeywordList = false;
    std::vector<Form*> keywords;
    sim::Placement placement = sim::Placement::Normal;
    std::vector<sim::ComponentInstance> components;
    std::unique_ptr<sim::CellData> cell;
    std::unique_ptr<sim::ReferenceData> ref;
};
// A form begins with its class identity, as every game object does. clang
// (the fuzz build) counts libstdc++'s unique_ptr as no standard-layout type,
// since its tuple keeps members in two base classes; g++ does not, and the
// offset is the same under both.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(Form, head) == 0);
#pragma clang diagnostic pop
#else
static_assert(std::is_standard_layout_v<Form>);
static_assert(offsetof(Form, head) == 0);
#endif

}  // namespace veltrane
