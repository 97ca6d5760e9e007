#include "import/LayoutComponents.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "host/layouts/DataFiles.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"
#include "import/reading/LayoutReader.h"

namespace Corvanis {

namespace {

using veltrane::CountedArray;

constexpr std::uint32_t kSpaceshipRegistrationID = 0xC55B1;

// Runs one component's replacement when the form has the component; what
// goes wrong inside ends only that component's work.
template <class Component, class Replace>
void ReplaceComponent(host::Form* theShipForm, Replace replace) {
    try {
        if (auto* component = host::FindComponent<Component>(theShipForm)) replace(*component);
    } catch (...) {
    }
}

void AssignText(veltrane::FixedString& target, const std::string& text) {
    host::Game().FixedStringAssign(&target, text.c_str());
}

// Appends through the game, which grows the list's storage.
template <class T>
void Append(CountedArray<T>& list, const T& element) {
    if (!host::Game().ArrayAppend(list.Header(), &element, sizeof(T))) throw std::bad_alloc();
}

// Empties the list and keeps its storage, with the room reserved for what
// follows.
template <class T>
void Empty(CountedArray<T>& list) {
    list.count = 0;
}

template <class T>
bool Reserve(CountedArray<T>& list, std::size_t count) {
    return count <= UINT32_MAX &&
           host::Game().ArrayReserve(list.Header(), static_cast<std::uint32_t>(count), sizeof(T));
}

// The actor value every registered ship carries, when the game has it.
host::Form* SpaceshipRegistration() {
    const veltrane::GameInterface& game = host::Game();
    host::Form* form = game.LookupFormByID(kSpaceshipRegistrationID);
    return form != nullptr && game.FormQueryType(form) == veltrane::kFormTypeActorValueInfo ? form : nullptr;
}

// The entries the sheet gets: the blueprint's, then the registration entry
// once, whether or not the blueprint holds one: every exported ship holds its
// own. A backup gives back the sheet as it was.
std::vector<veltrane::PropertySheetEntryRecord> SheetEntries(const LayoutAccumulator& layout) {
    std::vector<veltrane::PropertySheetEntryRecord> entries;
    host::Form* registration = layout.backup == BackupKind::Layout ? nullptr : SpaceshipRegistration();
    for (const PropertySheetEntry& entry : layout.propertySheet) {
        if (registration != nullptr && entry.first == registration) continue;
        entries.push_back({entry.first, entry.second, entry.third, 0});
    }
    if (registration != nullptr) entries.push_back({registration, nullptr, 1.0f, 0});
    return entries;
}

std::vector<veltrane::ContainerEntryRecord> ContainerEntries(const LayoutAccumulator& layout) {
    std::vector<veltrane::ContainerEntryRecord> entries;
    for (const ContainerEntry& entry : layout.container) {
        // The game never gets an entry without its object.
        if (entry.obj != nullptr) entries.push_back({entry.count, 0, entry.obj, nullptr});
    }
    return entries;
}

void ReplacePropertySheet(veltrane::PropertySheetComponent& component, const LayoutAccumulator& layout) {
    veltrane::PropertySheet* sheet = component.sheet;
    if (sheet == nullptr) return;
    const std::vector<veltrane::PropertySheetEntryRecord> entries = SheetEntries(layout);
    Empty(sheet->entries);
    for (const veltrane::PropertySheetEntryRecord& entry : entries) Append(sheet->entries, entry);
}

void ReplaceTraversals(veltrane::StoredTraversalsComponent& component, const LayoutAccumulator& layout,
                       LayoutStorage& storage) {
    Empty(component.traversals1);
    for (const veltrane::TraversalRecord& traversal : layout.traversals1) Append(component.traversals1, traversal);

    // The replaced groups' lists are emptied with them, never given back: a
    // base form the game made from another shares its groups' lists with
    // that form, which goes on using them. What the groups held stays the
    // game's.
    Empty(component.traversals2);
    for (std::size_t index = 0; index < layout.traversals2.size(); ++index) {
        const TraversalGroupEntry& entry = layout.traversals2[index];
        veltrane::TraversalGroupRecord group = entry.record;
        group.traversals = storage.Take(index);
        for (const veltrane::TraversalRecord& traversal : entry.traversals) Append(group.traversals, traversal);
        Append(component.traversals2, group);
    }
}

// The module as the game holds it. Blueprints older than version 2.00 hold
// unk3C as one byte: the field's first byte gets it and the others stay 0.
veltrane::BlueprintPartRecord PartRecord(const PartEntry& entry, float fVersion) {
    veltrane::BlueprintPartRecord record = entry.record;
    if (!(fVersion >= kBlueprintVersion)) {
        static_assert(sizeof record.unk3C == 4);
        const std::uint8_t legacy[4] = {entry.uLegacyUnk3C, 0, 0, 0};
        std::memcpy(&record.unk3C, legacy, sizeof legacy);
    }
    return record;
}

void ReplaceBlueprint(veltrane::BlueprintComponent& component, const LayoutAccumulator& layout, float fVersion) {
    component.unk08 = layout.blueprintUnk08;
    AssignText(component.unk10, layout.blueprintUnk10);
    Empty(component.data);
    for (const PartEntry& part : layout.parts) Append(component.data, PartRecord(part, fVersion));
}

// The name the ship shows: the blueprint's displayed name, else its full
// name; without either the ship keeps its own. A backup holds the name of the
// ship's own, and none when it showed its base's: it gives back either.
void RenameShip(host::Form* theShipRef, const LayoutAccumulator& layout) {
    const veltrane::GameInterface& game = host::Game();
    veltrane::ExtraDataList* extra = game.RefGetExtraDataList(theShipRef);
    if (extra == nullptr) return;
    if (layout.backup == BackupKind::Layout) {
        game.RefSetDisplayNameOverride(theShipRef, extra,
                                       layout.displayName.empty() ? nullptr : layout.displayName.c_str());
        return;
    }
    const std::string& name = !layout.displayName.empty() ? layout.displayName : layout.fullName;
    if (!name.empty()) game.RefSetDisplayNameOverride(theShipRef, extra, name.c_str());
}

}  // namespace

LayoutStorage::~LayoutStorage() {
    for (CountedArray<veltrane::TraversalRecord>& list : groupLists_) host::Game().Deallocate(list.data);
}

bool LayoutStorage::Reserve(const LayoutAccumulator& layout) {
    groupLists_.resize(layout.traversals2.size());
    for (std::size_t group = 0; group < groupLists_.size(); ++group) {
        if (!Corvanis::Reserve(groupLists_[group], layout.traversals2[group].traversals.size())) return false;
    }
    return true;
}

CountedArray<veltrane::TraversalRecord> LayoutStorage::Take(std::size_t group) {
    return std::exchange(groupLists_.at(group), {});
}

bool ReserveLayoutStorage(host::Form* theShipForm, const LayoutAccumulator& layout, LayoutStorage& storage) {
    using namespace veltrane;
    if (auto* component = host::FindComponent<KeywordFormComponent>(theShipForm)) {
        if (!Reserve(component->keywords, layout.keywords.size())) return false;
    }
    if (auto* component = host::FindComponent<PropertySheetComponent>(theShipForm)) {
        if (component->sheet != nullptr && !Reserve(component->sheet->entries, SheetEntries(layout).size())) {
            return false;
        }
    }
    if (auto* component = host::FindComponent<StoredTraversalsComponent>(theShipForm)) {
        if (!Reserve(component->traversals1, layout.traversals1.size()) ||
            !Reserve(component->traversals2, layout.traversals2.size()) || !storage.Reserve(layout)) {
            return false;
        }
    }
    if (auto* component = host::FindComponent<BlueprintComponent>(theShipForm)) {
        if (!Reserve(component->data, layout.parts.size())) return false;
    }
    if (auto* component = host::FindComponent<ContainerComponent>(theShipForm)) {
        if (!Reserve(component->entries, ContainerEntries(layout).size())) return false;
    }
    return true;
}

void ImportLayoutComponents(host::Form* theShipForm, host::Form* theShipRef, const LayoutAccumulator& layout,
                            float fVersion, LayoutStorage& storage) {
    using namespace veltrane;
    ReplaceComponent<AddToInventoryOnDestroyComponent>(
        theShipForm, [&](AddToInventoryOnDestroyComponent& component) { component.form = layout.addToInventoryForm; });
    ReplaceComponent<AnimationGraphComponent>(theShipForm, [&](AnimationGraphComponent& component) {
        AssignText(component.rootAnimGraph, layout.rootAnimGraph);
        AssignText(component.rigFile, layout.rigFile);
        AssignText(component.animPath, layout.animPath);
        AssignText(component.responseFile, layout.responseFile);
    });
    ReplaceComponent<KeywordFormComponent>(theShipForm, [&](KeywordFormComponent& component) {
        Empty(component.keywords);
        for (Form* keyword : layout.keywords) Append(component.keywords, keyword);
    });
    // The keywords the ship's modules attach to stay the ship's own; a
    // blueprint's are read only to check them.
    ReplaceComponent<PropertySheetComponent>(
        theShipForm, [&](PropertySheetComponent& component) { ReplacePropertySheet(component, layout); });
    ReplaceComponent<SpaceshipAIActorComponent>(
        theShipForm, [&](SpaceshipAIActorComponent& component) { component.actor = layout.aiActor; });
    ReplaceComponent<LinkedVoiceTypeComponent>(
        theShipForm, [&](LinkedVoiceTypeComponent& component) { component.voice = layout.voiceType; });
    ReplaceComponent<SpaceshipWeaponBindingsComponent>(theShipForm, [&](SpaceshipWeaponBindingsComponent& component) {
        component.weaponSlot1 = layout.weaponSlot1;
        component.weaponSlot2 = layout.weaponSlot2;
        component.weaponSlot3 = layout.weaponSlot3;
    });
    ReplaceComponent<SpaceshipHullCodeComponent>(
        theShipForm, [&](SpaceshipHullCodeComponent& component) { AssignText(component.hullCode, layout.hullCode); });
    ReplaceComponent<StoredTraversalsComponent>(
        theShipForm, [&](StoredTraversalsComponent& component) { ReplaceTraversals(component, layout, storage); });
    ReplaceComponent<BlueprintComponent>(
        theShipForm, [&](BlueprintComponent& component) { ReplaceBlueprint(component, layout, fVersion); });
    ReplaceComponent<ContainerComponent>(theShipForm, [&](ContainerComponent& component) {
        const std::vector<ContainerEntryRecord> entries = ContainerEntries(layout);
        Empty(component.entries);
        for (const ContainerEntryRecord& entry : entries) Append(component.entries, entry);
    });
    ReplaceComponent<FullNameComponent>(
        theShipForm, [&](FullNameComponent& component) { AssignText(component.fullName, layout.fullName); });
    RenameShip(theShipRef, layout);
    ReplaceComponent<ModelComponent>(
        theShipForm, [&](ModelComponent& component) { AssignText(component.model, layout.model); });
}

}  // namespace Corvanis
