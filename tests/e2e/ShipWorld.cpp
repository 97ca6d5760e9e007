#include "tests/e2e/ShipWorld.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

struct Keyword {
    const char* id;
    const char* editorID;
    const char* gamePointer;  // the game's global that points at it, if one does
};

constexpr Keyword kKeywords[] = {
    {"Veltrane.vmf:005627", "SpaceshipCockpitPilotSeat", nullptr},
    {"Veltrane.vmf:018DFD", "SpaceshipInventoryContainer", nullptr},
    {"Veltrane.vmf:054BA6", "WorkshopKeyword", "workshopKeyword"},
    {"Veltrane.vmf:054BA4", "WorkshopItemKeyword", "workshopItemKeyword"},
};

std::string LocalID(int prefix, std::size_t index) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%04X", prefix, static_cast<unsigned>(index));
    return text;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ",\n    ") + part;
    return text;
}

}  // namespace

ShipWorld& ShipWorld::Form(std::string json) {
    forms_.push_back(std::move(json));
    return *this;
}

ShipWorld& ShipWorld::Ship(TestShip ship) {
    ships_.push_back(std::move(ship));
    return *this;
}

ShipWorld& ShipWorld::WithoutKeyword(const std::string& editorID) {
    dropped_.push_back(editorID);
    return *this;
}

bool ShipWorld::Dropped(const std::string& editorID) const {
    return std::find(dropped_.begin(), dropped_.end(), editorID) != dropped_.end();
}

std::string ShipWorld::Text() const {
    std::vector<std::string> forms = {R"({"id": "Veltrane.vmf:000007", "type": 50, "name": "Player"})"};
    std::vector<std::string> pointers;
    for (const Keyword& keyword : kKeywords) {
        if (Dropped(keyword.editorID)) continue;
        forms.push_back(R"({"id": ")" + std::string(keyword.id) + R"(", "type": 4, "editorID": ")" + keyword.editorID +
                        "\"}");
        if (keyword.gamePointer != nullptr) {
            pointers.push_back("\"" + std::string(keyword.gamePointer) + "\": \"" + keyword.id + "\"");
        }
    }
    forms.insert(forms.end(), forms_.begin(), forms_.end());

    std::vector<std::string> cells;
    std::vector<std::string> references = {
        R"({"id": "Veltrane.vmf:000014", "type": 75, "base": "Veltrane.vmf:000007"})"};
    std::vector<std::string> shipsOutside;
    for (std::size_t i = 0; i < ships_.size(); ++i) {
        const TestShip& ship = ships_[i];
        const std::string base = ship.baseID.empty() ? "Veltrane.vmf:" + LocalID(0x0B, i) : ship.baseID;
        const std::string interior = "Veltrane.vmf:" + LocalID(0x0C, i);
        if (base != "none") {
            forms.push_back(R"({"id": ")" + base + R"(", "type": )" + ship.baseType + R"(, "name": ")" + ship.name +
                            R"(", "editorID": "Ship)" + ship.name + R"(", "components": )" + ship.components +
                            ship.baseMembers + "}");
        }
        std::vector<std::string> inside;
        if (i == 0) inside.push_back("\"Veltrane.vmf:000014\"");
        for (const std::string& item : ship.items) {
            const std::size_t idStart = item.find("\"id\": \"") + 7;
            inside.push_back("\"" + item.substr(idStart, item.find('"', idStart) - idStart) + "\"");
            references.push_back(item);
        }
        cells.push_back(R"({"id": ")" + interior + R"(", "interior": )" + (ship.interior ? "true" : "false") +
                        ship.interiorMembers + R"(, "references": [)" + Joined(inside) + "]}");
        const std::string baseValue = base == "none" ? "null" : "\"" + base + "\"";
        references.push_back(R"({"id": "@)" + ship.name + R"(", "base": )" + baseValue + R"(, "interior": ")" +
                             interior + "\"" + ship.referenceMembers + "}");
        shipsOutside.push_back("\"@" + ship.name + "\"");
    }
    cells.push_back(R"({"id": "Veltrane.vmf:0D0000", "interior": false, "references": [)" + Joined(shipsOutside) +
                    "]}");

    return R"({"format": "veltrane-world 1",
  "files": [{"name": "Veltrane.vmf"}, {"name": "Extra.vmf", "slot": "small"}, {"name": "Crew.vmf", "slot": "medium"}],
  "game": {)" +
           Joined(pointers) + R"(},
  "console": {"scriptCommands": {"entries": ["free", "free", "free"]}},
  "player": {"reference": "Veltrane.vmf:000014"},
  "forms": [
    )" + Joined(forms) +
           R"(
  ],
  "cells": [
    )" + Joined(cells) +
           R"(
  ],
  "references": [
    )" + Joined(references) +
           R"(
  ]
}
)";
}

}  // namespace e2e
