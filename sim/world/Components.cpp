#include "sim/world/Components.h"

#include <array>
#include <cstring>
#include <unordered_set>

#include "host/layouts/ShipComponents.h"
#include "sim/memory/FixedStrings.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/Records.h"

namespace sim {

namespace {

using namespace veltrane;

#define SIM_FIELD(Record, name, kind) FieldDesc{#name, offsetof(Record, name), FieldKind::kind}

constexpr std::array kAddToInventoryFields{SIM_FIELD(AddToInventoryOnDestroyComponent, form, Form)};
constexpr std::array kAnimationGraphFields{
    SIM_FIELD(AnimationGraphComponent, rootAnimGraph, String),
    SIM_FIELD(AnimationGraphComponent, rigFile, String),
    SIM_FIELD(AnimationGraphComponent, animPath, String),
    SIM_FIELD(AnimationGraphComponent, responseFile, String),
};
constexpr std::array kAIActorFields{SIM_FIELD(SpaceshipAIActorComponent, actor, Form)};
constexpr std::array kVoiceFields{SIM_FIELD(LinkedVoiceTypeComponent, voice, Form)};
constexpr std::array kWeaponFields{
    SIM_FIELD(SpaceshipWeaponBindingsComponent, weaponSlot1, U32),
    SIM_FIELD(SpaceshipWeaponBindingsComponent, weaponSlot2, U32),
    SIM_FIELD(SpaceshipWeaponBindingsComponent, weaponSlot3, U32),
};
constexpr std::array kHullCodeFields{SIM_FIELD(SpaceshipHullCodeComponent, hullCode, String)};
constexpr std::array kBlueprintFields{
    SIM_FIELD(BlueprintComponent, unk08, U64), SIM_FIELD(BlueprintComponent, unk10, String),
    SIM_FIELD(BlueprintComponent, unk28, U64), SIM_FIELD(BlueprintComponent, unk30, U64),
    SIM_FIELD(BlueprintComponent, unk38, U32), SIM_FIELD(BlueprintComponent, unk3C, U32),
};
constexpr std::array kFullNameFields{SIM_FIELD(FullNameComponent, fullName, String)};
constexpr std::array kModelFields{SIM_FIELD(ModelComponent, model, String)};

#undef SIM_FIELD

const std::array<ComponentType, 14> kTypes{{
    {ComponentKind::AddToInventoryOnDestroy, AddToInventoryOnDestroyComponent::kTypeName,
     sizeof(AddToInventoryOnDestroyComponent), kAddToInventoryFields},
    {ComponentKind::AnimationGraph, AnimationGraphComponent::kTypeName, sizeof(AnimationGraphComponent),
     kAnimationGraphFields},
    {ComponentKind::KeywordForm, KeywordFormComponent::kTypeName, sizeof(KeywordFormComponent), {}},
    {ComponentKind::AttachParentArray, AttachParentArrayComponent::kTypeName,
     sizeof(AttachParentArrayComponent), {}},
    {ComponentKind::PropertySheet, PropertySheetComponent::kTypeName, sizeof(PropertySheetComponent), {}},
    {ComponentKind::SpaceshipAIActor, SpaceshipAIActorComponent::kTypeName, sizeof(SpaceshipAIActorComponent),
     kAIActorFields},
    {ComponentKind::LinkedVoiceType, LinkedVoiceTypeComponent::kTypeName, sizeof(LinkedVoiceTypeComponent),
     kVoiceFields},
    {ComponentKind::SpaceshipWeaponBindings, SpaceshipWeaponBindingsComponent::kTypeName,
     sizeof(SpaceshipWeaponBindingsComponent), kWeaponFields},
    {ComponentKind::SpaceshipHullCode, SpaceshipHullCodeComponent::kTypeName, sizeof(SpaceshipHullCodeComponent),
     kHullCodeFields},
    {ComponentKind::StoredTraversals, StoredTraversalsComponent::kTypeName, sizeof(StoredTraversalsComponent), {}},
    {ComponentKind::Blueprint, BlueprintComponent::kTypeName, sizeof(BlueprintComponent), kBlueprintFields},
    {ComponentKind::Container, ContainerComponent::kTypeName, sizeof(ContainerComponent), {}},
    {ComponentKind::FullName, FullNameComponent::kTypeName, sizeof(FullNameComponent), kFullNameFields},
    {ComponentKind::Model, ModelComponent::kTypeName, sizeof(ModelComponent), kModelFields},
}};

// The game holds the names of its component types as fixed strings of its
// own for as long as it runs, and finds a component by comparing a name's
// storage with them, as it compares every fixed string.
const std::array<FixedString, kTypes.size()>& TypeNames() {
    static const auto names = [] {
        std::array<FixedString, kTypes.size()> made{};
        for (std::size_t i = 0; i < kTypes.size(); ++i) FixedStringMake(&made[i], kTypes[i].name);
        return made;
    }();
    return names;
}

const char* TypeNameStorage(const ComponentType& type) {
    return TypeNames()[static_cast<std::size_t>(&type - kTypes.data())].data;
}

}  // namespace

void HoldComponentTypeNames() { TypeNames(); }

bool IsComponentTypeName(const char* storage) {
    for (const FixedString& name : TypeNames()) {
        if (name.data == storage) return true;
    }
    return false;
}

std::uint32_t StoredAttachParents(const veltrane::AttachParentArrayComponent& component) {
    std::uint32_t stored = component.keywords.capacity;
    if (stored > 0 && component.keywords.data[stored - 1] == nullptr) --stored;
    return stored;
}

const ComponentType* FindComponentType(std::string_view name) {
    for (const ComponentType& type : kTypes) {
        if (name == type.name) return &type;
    }
    return nullptr;
}

void* CreateComponentRecord(const ComponentType& type) {
    void* record = GameAllocate(type.size);
    std::memset(record, 0, type.size);
    static_cast<ComponentHead*>(record)->typeIdentity = &type;
    return record;
}

void ForEachHeldBlock(const ComponentType& type, const void* record, const HeldBlockVisitor& visit) {
    switch (type.kind) {
        case ComponentKind::KeywordForm:
            visit(static_cast<const KeywordFormComponent*>(record)->keywords.data, "keywords", kNoIndex);
            break;
        case ComponentKind::AttachParentArray:
            visit(static_cast<const AttachParentArrayComponent*>(record)->keywords.data, "keywords", kNoIndex);
            break;
        case ComponentKind::PropertySheet:
            if (const PropertySheet* sheet = static_cast<const PropertySheetComponent*>(record)->sheet) {
                visit(sheet->entries.data, "sheet entries", kNoIndex);
                visit(sheet, "sheet", kNoIndex);
            }
            break;
        case ComponentKind::StoredTraversals: {
            const auto* traversals = static_cast<const StoredTraversalsComponent*>(record);
            visit(traversals->traversals1.data, "traversals1", kNoIndex);
            // Groups after the count are stale: nothing of the game reads them.
            for (std::uint32_t index = 0; index < traversals->traversals2.count; ++index) {
                visit(traversals->traversals2.data[index].traversals.data, "traversals2", index);
            }
            visit(traversals->traversals2.data, "traversals2", kNoIndex);
            break;
        }
        case ComponentKind::Blueprint:
            visit(static_cast<const BlueprintComponent*>(record)->data.data, "data", kNoIndex);
            break;
        case ComponentKind::Container:
            visit(static_cast<const ContainerComponent*>(record)->entries.data, "entries", kNoIndex);
            break;
        default:
            break;
    }
}

void DestroyComponentRecord(const ComponentType& type, void* record, std::unordered_set<const void*>& given) {
    for (const FieldDesc& field : type.scalarFields) {
        if (field.kind == FieldKind::String) FixedStringRelease(&FieldAt<FixedString>(record, field));
    }
    // Lists that several forms share are given back once; the storage of an
    // empty list need not be the game's.
    ForEachHeldBlock(type, record, [&](const void* block, const char*, std::size_t) {
        if (block != nullptr && IsGameBlock(block) && given.insert(block).second) {
            GameDeallocate(const_cast<void*>(block));
        }
    });
    GameDeallocate(record);
}

const void* FindComponentOfType(const Form* form, ComponentKind kind) {
    for (const ComponentInstance& component : form->components) {
        if (component.type->kind == kind) return component.record;
    }
    return nullptr;
}

void* FindComponent(Form* form, const FixedString* typeName, std::uint32_t index) {
    if (form == nullptr || typeName == nullptr) return nullptr;
    for (const ComponentInstance& component : form->components) {
        if (typeName->data == TypeNameStorage(*component.type)) {
            if (index == 0) return component.record;
            --index;
        }
    }
    return nullptr;
}

}  // namespace sim
