#include "sim/worldfile/DefaultWorld.h"

namespace sim {

// A player on a landing pad beside a home ship that may be modified, whose
// interior holds a workshop; the forms the plug-ins look up by fixed ID; three
// free placeholders in the script-command table.
const std::string& DefaultWorldText() {
    static const std::string text = R"({
  "format": "veltrane-world 1",
  "files": [{"name": "Veltrane.vmf", "slot": "full"}],
  "game": {
    "workshopKeyword": "WorkshopKeyword",
    "workshopItemKeyword": "WorkshopItemKeyword",
    "pilotingRequirement": 3
  },
  "console": {
    "scriptCommands": {
      "firstOpcode": "0x1000",
      "entries": [
        {"command": "GetPosition", "short": "GetPos", "help": "Tells where a reference stands"},
        {"command": "SetScale", "help": "Scales a reference"},
        "free", "free", "free"
      ]
    },
    "consoleCommands": {"firstOpcode": "0x100", "entries": []}
  },
  "player": {
    "reference": "Veltrane.vmf:000014",
    "homeShip": "@HomeShip",
    "shipReference": "@HomeShip",
    "associatedCells": ["@HomeShipInterior"]
  },
  "forms": [
    {"id": "Veltrane.vmf:000007", "type": 50, "editorID": "Player", "name": "Player"},
    {"id": "Veltrane.vmf:005627", "type": 4, "editorID": "SpaceshipCockpitPilotSeat"},
    {"id": "Veltrane.vmf:018DFD", "type": 4, "editorID": "SpaceshipInventoryContainer"},
    {"id": "Veltrane.vmf:3413F3", "type": 4, "editorID": "ShipNotModifiable"},
    {"id": "Veltrane.vmf:33DB7A", "type": 4, "editorID": "LumenkinShip"},
    {"id": "Veltrane.vmf:054BA6", "type": 4, "editorID": "WorkshopKeyword"},
    {"id": "Veltrane.vmf:054BA4", "type": 4, "editorID": "WorkshopItemKeyword"},
    {"id": "Veltrane.vmf:0C55B1", "type": 109, "editorID": "SpaceshipRegistration", "name": "Registration"},
    {"id": "Veltrane.vmf:2CFCAC", "type": 97, "editorID": "PilotingSkill", "name": "Piloting"},
    {"id": "Veltrane.vmf:0A1000", "type": 47, "editorID": "ShipWorkbench", "name": "Ship Workbench",
     "keywords": ["WorkshopKeyword"]},
    {"id": "Veltrane.vmf:0A2000", "type": 65, "editorID": "ShipModuleCockpit", "name": "Cockpit"},
    {"id": "@HomeShipBase", "type": 65, "name": "Wayfarer",
     "components": {
       "Blueprint_Component": {"data": [{"item": "ShipModuleCockpit"}]},
       "KORFullName_Component": {"fullName": "Wayfarer"},
       "KORModel_Component": {"model": "Ships\\Wayfarer.nif"}
     }}
  ],
  "cells": [
    {"id": "Veltrane.vmf:00B000", "editorID": "LandingPad", "name": "Landing Pad", "interior": false,
     "references": ["Veltrane.vmf:000014", "@HomeShip"]},
    {"id": "@HomeShipInterior", "name": "Wayfarer", "interior": true, "references": ["Veltrane.vmf:0B1000"]}
  ],
  "references": [
    {"id": "Veltrane.vmf:000014", "type": 75, "base": "Player", "position": [0.0, 0.0, 0.0]},
    {"id": "@HomeShip", "base": "@HomeShipBase", "position": [40.0, 0.0, 0.0], "interior": "@HomeShipInterior"},
    {"id": "Veltrane.vmf:0B1000", "base": "ShipWorkbench", "position": [2.0, 1.0, 0.0]}
  ]
}
)";
    return text;
}

}  // namespace sim
