#include "support/LargeShipWorld.h"

#include <charconv>
#include <cstdio>

namespace dev_support {

namespace {

// Numbers the same in every locale.
std::string Num(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

std::string Num(int value) { return std::to_string(value); }

std::string Hex80(int seed) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < 80; ++i) {
        const int byte = (seed * 31 + i * 7) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string Joined(int count, std::string (*element)(int)) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? ", " : "") + element(i);
    return text;
}

// Decoration bases, from all three slot kinds, with the kinds of item a ship
// holds: inventory items and workshop furniture.
constexpr const char* kItemBases[] = {"Veltrane.vmf:0A3002", "Veltrane.vmf:0A3001", "Extra.vmf:801",
                                      "Crew.vmf:0804",       "Veltrane.vmf:0A3011", "Extra.vmf:802"};
constexpr bool kWorkshopBase[] = {false, false, false, false, true, true};

std::string Traversal(int i) {
    const char* form = i % 2 ? "Extra.vmf:804" : "Veltrane.vmf:0A0150";
    return R"({"unk00": )" + Num(i * 0.5) + R"(, "unk04": 1.25, "unk08": -3.5, "unk0C": )" + Num(i) +
           R"(, "traversal": ")" + form + R"(", "fFromX": )" + Num(i * 1.5) + R"(, "fFromY": 2.0, "fFromZ": 0.0,)" +
           R"( "fToX": )" + Num(i * 1.5) + R"(, "fToY": 2.0, "fToZ": 3.5, "fUnknown30": 0.75, "fUnknown34": 90.0,)" +
           R"( "uUnknown38": )" + Num(i + 38) + R"(, "uUnknown3C": )" + Num(i + 60) + R"(, "unk40": )" + Num(i + 64) +
           "}";
}

std::string Module(int i) {
    const char* item = i % 3 == 0 ? "Veltrane.vmf:0A2000" : i % 3 == 1 ? "Extra.vmf:803" : "Crew.vmf:0803";
    return R"({"fPosX": )" + Num((i % 20) * 4.0) + R"(, "fPosY": )" + Num((i / 20) * -6.25) +
           R"(, "fPosZ": 1.5, "fRotX": 0.0, "fRotY": 0.0, "fRotZ": 1.5707963705062866, "partID": )" + Num(100 + i) +
           R"(, "unk1C": 0.25, "unk20": 1.5, "unk24": -2.75, "unk28": 3.0, "unk2C": 0.1, "unk30": 10000000.0,)" +
           R"( "unk34": -0.0, "unk38": 1, "unk39": 200, "unk3A": 0, "unk3B": 255, "unk3C": 0.5, "unk40": )" +
           Num(4000 + i) + R"(, "unk44": 16777217, "unk48_98": ")" + Hex80(i) + R"(", "item": ")" + item +
           R"(", "unkA0": 7, "unkA4": 4294967295})";
}

std::string Keyword(int i) { return "\"Veltrane.vmf:0A" + std::to_string(1100 + i) + "\""; }

std::string KeywordForm(int i) { return R"({"id": "Veltrane.vmf:0A)" + std::to_string(1100 + i) + R"(", "type": 4})"; }

std::string Property(int i) {
    return R"({"first": "Veltrane.vmf:0A0120", "second": )" + std::string(i % 2 ? "\"Veltrane.vmf:0A0121\"" : "null") +
           R"(, "third": )" + Num(i * 1.5) + "}";
}

std::string Group(int i) {
    return R"({"traversals": [)" + Traversal(i) + ", " + Traversal(i + 1) + R"(], "unk10": 0, "unk14": 0.5,)" +
           R"( "unk18": 1.5, "unk1C": 2.5, "unk20": -1.0, "unk24": )" + Num(i * 10.0) + "}";
}

std::string ContainerEntry(int i) {
    return R"({"count": )" + Num(i + 1) + R"(, "obj": "Veltrane.vmf:0A3002", "itemExtra": )" +
           std::string(i % 2 ? "{}" : "null") + "}";
}

std::string LoadedCellName(int i) { return "\"@Loaded" + std::to_string(i) + "\""; }

std::string LoadedCell(int i) { return R"({"id": "@Loaded)" + std::to_string(i) + R"(", "interior": true})"; }

std::string ItemName(int i) { return "\"@Item" + std::to_string(i) + "\""; }

std::string ItemReference(int i) {
    const int kind = i % 6;
    std::string extra = kWorkshopBase[kind]
                            ? R"(, "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]})"
                        : i % 10 == 0 ? R"(, "extra": {"name": "Item )" + std::to_string(i) + "\"}"
                                      : "";
    return R"({"id": "@Item)" + std::to_string(i) + R"(", "base": ")" + kItemBases[kind] + R"(", "position": [)" +
           Num((i % 50) * 0.5) + ", " + Num((i / 50) * -0.25) + R"(, 0.9], "rotation": [0.0, 0.0, )" +
           Num((i % 8) * 0.7853982) + R"(], "scale": )" + Num(80 + i % 50) + extra + "}";
}

}  // namespace

std::string LargeShipWorld(const LargeShipShape& shape) {
    const std::string components =
        R"("QRNAddToInventoryOnDestroy_Component": {"form": "Veltrane.vmf:0A3002"},
        "QRNAnimationGraph_Component": {"rootAnimGraph": "Ships\\Root.hkx", "rigFile": "Ships\\Rig.hkx",
            "animPath": "Ships\\Animations", "responseFile": "Ships\\Responses.txt"},
        "QRNKeywordForm_Component": {"keywords": [)" +
        Joined(shape.keywords, Keyword) + R"(]},
        "QRNAttachParentArray_Component": {"keywords": [)" +
        Joined(shape.keywords, Keyword) + R"(]},
        "QRNPropertySheet_Component": {"sheet": [)" +
        Joined(shape.properties, Property) + R"(]},
        "QRNSpaceshipAIActor_Component": {"actor": "Crew.vmf:0801"},
        "QRNLinkedVoiceType_Component": {"voice": "Crew.vmf:0802"},
        "QRNSpaceshipWeaponBindings_Component": {"weaponSlot1": 3, "weaponSlot2": 7, "weaponSlot3": 11},
        "QRNSpaceshipHullCode_Component": {"hullCode": "HV-9000"},
        "QRNStoredTraversals_Component": {"traversals1": [)" +
        Joined(shape.traversals, Traversal) + R"(], "traversals2": [)" + Joined(shape.traversalGroups, Group) + R"(]},
        "Blueprint_Component": {"unk08": 1234567890123, "unk10": "Hauler", "data": [)" +
        Joined(shape.modules, Module) + R"(], "unk28": 5, "unk30": 6, "unk38": 7, "unk3C": 8},
        "KORContainer_Component": {"entries": [)" +
        Joined(shape.containerEntries, ContainerEntry) + R"(]},
        "KORFullName_Component": {"fullName": "Heavy Hauler"},
        "KORModel_Component": {"model": "Ships\\Hauler.nif"})";

    return R"({"format": "veltrane-world 1",
  "files": [{"name": "Veltrane.vmf"}, {"name": "Extra.vmf", "slot": "small"}, {"name": "Crew.vmf", "slot": "medium"}],
  "game": {"workshopKeyword": "Veltrane.vmf:054BA6", "workshopItemKeyword": "Veltrane.vmf:054BA4")" +
           (shape.loadedCells > 0 ? R"(, "cellManager": {"currentCell": "Veltrane.vmf:0C0001", "loadedCells": [)" +
                                        Joined(shape.loadedCells, LoadedCellName) + "]}"
                                  : "") +
           R"(},
  "player": {"reference": "Veltrane.vmf:000014"},
  "forms": [
    {"id": "Veltrane.vmf:000007", "type": 50, "name": "Player"},
    {"id": "Veltrane.vmf:005627", "type": 4, "editorID": "SpaceshipCockpitPilotSeat"},
    {"id": "Veltrane.vmf:018DFD", "type": 4, "editorID": "SpaceshipInventoryContainer"},
    {"id": "Veltrane.vmf:054BA6", "type": 4, "editorID": "WorkshopKeyword"},
    {"id": "Veltrane.vmf:054BA4", "type": 4, "editorID": "WorkshopItemKeyword"},
    )" + Joined(shape.keywords, KeywordForm) +
           R"(,
    {"id": "Veltrane.vmf:0A0120", "type": 109},
    {"id": "Veltrane.vmf:0A0121", "type": 109},
    {"id": "Veltrane.vmf:0A0150", "type": 170},
    {"id": "Veltrane.vmf:0A1000", "type": 47, "name": "Workbench", "keywords": ["Veltrane.vmf:054BA6"]},
    {"id": "Veltrane.vmf:0A2000", "type": 65},
    {"id": "Veltrane.vmf:0A3001", "type": 35, "name": "Book"},
    {"id": "Veltrane.vmf:0A3002", "type": 40, "name": "Mug"},
    {"id": "Veltrane.vmf:0A3011", "type": 47, "name": "Bunk"},
    {"id": "Extra.vmf:801", "type": 40, "name": "Lantern"},
    {"id": "Extra.vmf:802", "type": 47, "name": "Armchair"},
    {"id": "Extra.vmf:803", "type": 65},
    {"id": "Extra.vmf:804", "type": 170},
    {"id": "Crew.vmf:0801", "type": 50},
    {"id": "Crew.vmf:0802", "type": 112},
    {"id": "Crew.vmf:0803", "type": 65},
    {"id": "Crew.vmf:0804", "type": 35, "name": "Logbook"},
    {"id": "Veltrane.vmf:0B0000", "type": 65, "name": "Heavy Hauler", "editorID": "ShipHeavyHauler",
     "components": {)" +
           components + R"(}}
  ],
  "cells": [
    {"id": "Veltrane.vmf:0C0000", "interior": false, "references": ["@Hauler"]},)" +
           Joined(shape.loadedCells, LoadedCell) + (shape.loadedCells > 0 ? "," : "") + R"(
    {"id": "Veltrane.vmf:0C0001", "interior": true,
     "references": ["Veltrane.vmf:000014", "@Workbench", )" +
           Joined(shape.decorationItems, ItemName) + R"(]}
  ],
  "references": [
    {"id": "Veltrane.vmf:000014", "type": 75, "base": "Veltrane.vmf:000007"},
    {"id": "@Hauler", "base": "Veltrane.vmf:0B0000", "interior": "Veltrane.vmf:0C0001"},
    {"id": "@Workbench", "base": "Veltrane.vmf:0A1000"},
    )" + Joined(shape.decorationItems, ItemReference) +
           R"(
  ]
})";
}

}  // namespace dev_support
