// Ship components: records that generic base forms carry, looked up by the
// game's component type name and laid out exactly as host/layouts/ShipComponents.h states.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <unordered_set>

#include "host/layouts/GameObjects.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"
#include "sim/world/RecordFields.h"

namespace sim {

enum class ComponentKind {
    AddToInventoryOnDestroy,
    AnimationGraph,
    KeywordForm,
    AttachParentArray,
    PropertySheet,
    SpaceshipAIActor,
    LinkedVoiceType,
    SpaceshipWeaponBindings,
    SpaceshipHullCode,
    StoredTraversals,
    Blueprint,
    Container,
    FullName,
    Model,
};

struct ComponentType {
    ComponentKind kind;
    const char* name;
    std::size_t size;
    // The component's own fields; lists are walked by kind.
    std::span<const FieldDesc> scalarFields;
};

const ComponentType* FindComponentType(std::string_view name);

// A zeroed record in game memory whose head names its type.
void* CreateComponentRecord(const ComponentType& type);
// Every block of game memory the record points to (not the record itself):
// list storage, property sheets. `index` is the group's for a traversal
// group's list, else kNoIndex.
constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);
using HeldBlockVisitor = std::function<void(const void* block, const char* field, std::size_t index)>;
void ForEachHeldBlock(const ComponentType& type, const void* record, const HeldBlockVisitor& visit);

// Releases the record's strings and the blocks it holds, then the record.
// `given` holds the blocks given back so far, so that a shared one goes once.
void DestroyComponentRecord(const ComponentType& type, void* record, std::unordered_set<const void*>& given);

// The attach-parent keywords a record holds: its storage without the empty
// entry the game mostly keeps after the list, whatever the record's count
// says.
std::uint32_t StoredAttachParents(const veltrane::AttachParentArrayComponent& component);

// The form's first component of the kind, or null.
const void* FindComponentOfType(const veltrane::Form* form, ComponentKind kind);

// Makes the game's own fixed strings of the component type names, which it
// holds until it ends; and whether a string's storage is one of them.
void HoldComponentTypeNames();
bool IsComponentTypeName(const char* storage);

// The index-th component of the type on the form, or null: the type is named
// by a fixed string of the game, compared by its storage.
void* FindComponent(veltrane::Form* form, const veltrane::FixedString* typeName, std::uint32_t index);

// Field access by table entry.
template <class T>
T& FieldAt(void* record, const FieldDesc& field) {
    return *reinterpret_cast<T*>(static_cast<unsigned char*>(record) + field.offset);
}
template <class T>
const T& FieldAt(const void* record, const FieldDesc& field) {
    return *reinterpret_cast<const T*>(static_cast<const unsigned char*>(record) + field.offset);
}

}  // namespace sim
