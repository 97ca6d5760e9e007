// Everything a layout import takes from a blueprint, collected line by line
// before anything of the ship changes. Forms are the resolver's handles;
// texts are kept as read and become the game's strings only when applied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/BackupLines.h"
#include "host/layouts/GameObjects.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

// One ship module. The record as the game lays it out, except for
// unk48_98, which a blueprint cannot give back and stays zero.
struct PartEntry {
    veltrane::BlueprintPartRecord record;
    // unk3C as blueprints older than version 2.00 hold it: one byte.
    std::uint8_t uLegacyUnk3C;
};

struct PropertySheetEntry {
    veltrane::Form* first;
    veltrane::Form* second;  // may be none
    float third;
};

struct TraversalGroupEntry {
    std::vector<veltrane::TraversalRecord> traversals;
    // The group's own fields. Its list stays empty: the game's list is made
    // when the layout is applied.
    veltrane::TraversalGroupRecord record;
};

struct ContainerEntry {
    std::int32_t count;
    veltrane::Form* obj;  // a bound object, or none until its line is read
    // When its object line names a data file that is not loaded: that file.
    std::string missingDataFile;
};

// Every member starts empty, zero or none; what a blueprint has no line for
// stays so and replaces the ship's value all the same.
struct LayoutAccumulator {
    veltrane::Form* addToInventoryForm = nullptr;  // a bound object
    std::string rootAnimGraph;
    std::string rigFile;
    std::string animPath;
    std::string responseFile;
    std::vector<veltrane::Form*> keywords;  // keywords, in file order
    std::vector<veltrane::Form*> attachParentKeywords;
    std::vector<PropertySheetEntry> propertySheet;
    veltrane::Form* aiActor = nullptr;    // an NPC
    veltrane::Form* voiceType = nullptr;  // a voice type
    std::uint32_t weaponSlot1 = 0;
    std::uint32_t weaponSlot2 = 0;
    std::uint32_t weaponSlot3 = 0;
    std::vector<veltrane::TraversalRecord> traversals1;
    std::vector<TraversalGroupEntry> traversals2;
    std::uint64_t blueprintUnk08 = 0;
    std::string blueprintUnk10;
    std::vector<PartEntry> parts;
    std::vector<ContainerEntry> container;
    std::string displayName;
    std::string fullName;
    std::string model;
    std::string hullCode;
    // Set by a backup's header line.
    BackupKind backup = BackupKind::None;
    // The cargo entries left out of `container` when the reading finished,
    // one text each: the data file its object needs, which is not loaded, or
    // empty for an entry without an object line.
    std::vector<std::string> cargoLeftOut;
};

}  // namespace Corvanis
