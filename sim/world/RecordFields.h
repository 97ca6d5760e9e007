// Field tables of the records that ship components hold. The world file
// reader and writer and the console's inspection commands all walk these
// tables, so every field of every record is read, written and shown the same
// way, at the offset host/layouts/ gives it.
#pragma once

#include <cstddef>
#include <span>

namespace sim {

enum class FieldKind {
    Float,      // f32
    U32,
    I32,
    U8,
    U64,
    Form,       // veltrane::Form*
    String,     // veltrane::FixedString
    Bytes80,    // the 80 raw bytes of a ship module
    ItemExtra,  // veltrane::ExtraDataList*, may be absent
};

struct FieldDesc {
    const char* name;
    std::size_t offset;
    FieldKind kind;
};

std::span<const FieldDesc> TraversalFields();
// The group's own fields; its traversal list is walked separately.
std::span<const FieldDesc> TraversalGroupFields();
std::span<const FieldDesc> ModuleFields();
std::span<const FieldDesc> PropertySheetEntryFields();
std::span<const FieldDesc> ContainerEntryFields();

}  // namespace sim
