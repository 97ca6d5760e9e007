#include "tests/e2e/InteriorWorld.h"


namespace e2e {

namespace {

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += ",\n    " + part;
    return text;
}

std::string IDsOf(const std::vector<std::string>& objects) {
    std::string ids;
    for (const std::string& object : objects) {
        const std::size_t start = object.find("\"id\": \"") + 7;
        ids += ", \"" + object.substr(start, object.find('"', start) - start) + "\"";
    }
    return ids;
}

}  // namespace

std::string InteriorWorld::Text() const {
    return R"({"format": "veltrane-world 1",
  "files": [{"name": "Veltrane.vmf"}, {"name": "Extra.vmf", "slot": "small"}, {"name": "Crew.vmf", "slot": "medium"}],
  "game": {"workshopKeyword": )" +
           workshopKeyword + R"(, "workshopItemKeyword": )" + workshopItemKeyword + gameMembers + R"(},
  "console": {"scriptCommands": {"entries": ["free", "free", "free"]}},
  "player": {"reference": "Veltrane.vmf:000014", "shipReference": "@Ship")" +
           playerMembers + R"(},
  "forms": [
    {"id": "Veltrane.vmf:000007", "type": 50, "editorID": "Player"},
    {"id": "Veltrane.vmf:005627", "type": 4, "editorID": "SpaceshipCockpitPilotSeat"},
    {"id": "Veltrane.vmf:018DFD", "type": 4, "editorID": "SpaceshipInventoryContainer"},
    {"id": "Veltrane.vmf:054BA6", "type": 4, "editorID": "WorkshopKeyword"},
    {"id": "Veltrane.vmf:054BA4", "type": 4, "editorID": "WorkshopItemKeyword"},
    {"id": "Veltrane.vmf:0A1000", "type": 47, "editorID": "Workbench", "keywords": ["WorkshopKeyword"]},
    {"id": "Veltrane.vmf:0A3000", "type": 34, "editorID": "Suit"},
    {"id": "Veltrane.vmf:0A3001", "type": 35, "editorID": "Book"},
    {"id": "Veltrane.vmf:0A3002", "type": 40, "editorID": "Mug"},
    {"id": "Veltrane.vmf:0A3003", "type": 48, "editorID": "Cutter"},
    {"id": "Veltrane.vmf:0A3004", "type": 53, "editorID": "Keycard"},
    {"id": "Veltrane.vmf:0A3005", "type": 54, "editorID": "MedPack"},
    {"id": "Veltrane.vmf:0A3006", "type": 49, "editorID": "Charges"},
    {"id": "Veltrane.vmf:0A3011", "type": 47, "editorID": "Bunk"},
    {"id": "Veltrane.vmf:0A3013", "type": 36, "editorID": "Crate"},
    {"id": "Veltrane.vmf:0A3014", "type": 44, "editorID": "Plant"},
    {"id": "Veltrane.vmf:0A3015", "type": 62, "editorID": "Terminal"},
    {"id": "Veltrane.vmf:0A3016", "type": 43, "editorID": "Trophy"},
    {"id": "Veltrane.vmf:0A3017", "type": 30, "editorID": "Light"},
    {"id": "Veltrane.vmf:0A3020", "type": 50, "editorID": "Statue"},
    {"id": "Veltrane.vmf:0A3021", "type": 40, "editorID": "Relic", "placement": "refused"},
    {"id": "Veltrane.vmf:0A3022", "type": 40, "editorID": "Ghost", "placement": "vanishes"},
    {"id": "Veltrane.vmf:0A3023", "type": 40, "editorID": "Plain", "placement": "withoutExtraData"},
    {"id": "Extra.vmf:801", "type": 40, "editorID": "Lantern"},
    {"id": "Crew.vmf:0804", "type": 35, "editorID": "Logbook"},
    {"id": "@ShipBase", "type": 65, "name": "Ship"})" +
           Joined(forms) + R"(
  ],
  "cells": [
    {"id": "@Yard", "interior": false, "references": ["@Ship")" +
           IDsOf(yardItems) + R"(]},
    {"id": "@Deck", "interior": )" +
           (deckInterior ? "true" : "false") + R"(, "references": ["Veltrane.vmf:000014")" +
           (workbench ? ", \"@Workbench\"" : "") + IDsOf(deckItems) + R"(]})" + Joined(cells) + R"(
  ],
  "references": [
    {"id": "Veltrane.vmf:000014", "type": 75, "base": "Player", "position": [0.0, 0.0, 0.0]},
    {"id": "@Ship", "base": "@ShipBase", "interior": "@Deck"},
    {"id": "@Workbench", "base": "Workbench", "position": [3.0, 4.0, 0.0]})" +
           Joined(deckItems) + Joined(yardItems) + Joined(references) + R"(
  ]
}
)";
}

std::string InteriorUndoLine(const std::string& shipName, int number) {
    return "ImportShipInterior: INFO: the previous interior was saved; to undo, run: ImportShipInterior "
           "\"Backups\\" +
           shipName + " interior " + std::to_string(number) + "\"";
}

Lines DecorItemLines(std::size_t index, const DecorItem& item) {
    const std::string key = "DecorItem[" + std::to_string(index) + "]";
    Lines lines = {key + ".base |" + item.base,      key + ".fPosX |" + item.position, key + ".fPosY |" + item.position,
                   key + ".fPosZ |" + item.position, key + ".fRotX |0.000000",         key + ".fRotY |0.000000",
                   key + ".fRotZ |" + item.rotationZ};
    if (!item.scale.empty()) lines.push_back(key + ".fScale |" + item.scale);
    if (!item.name.empty()) lines.push_back(key + ".overrideName |" + item.name);
    if (item.workshop) lines.push_back(key + ".bWorkshopItem");
    return lines;
}

std::string BlueprintText(const Lines& lines) {
    std::string text =
        "Ship: Ship [FormID: ] [EditorID: ] \r\nExport time: 2026-01-01 00:00:00.00000\r\n"
        "Version: 2.00\r\n\r\nDisplayName |Ship\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string BlueprintOf(const std::vector<DecorItem>& items) {
    Lines lines;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Lines item = DecorItemLines(i, items[i]);
        lines.insert(lines.end(), item.begin(), item.end());
    }
    return BlueprintText(lines);
}

}  // namespace e2e
