// The lines an export writes first and no importer reads: the ship line
// ('Ship: NAME [FormID: ID] [EditorID: EDITORID] ') and the export time line
// ('Export time: 2026-12-06 21:07:12.00345').
#pragma once

#include <string>

#include "import/reading/BlueprintLine.h"

namespace blueprint_tool {

struct ShipHeader {
    bool hasShipLine = false;
    std::string shipName;
    std::string formID;
    std::string editorID;
    bool hasExportTime = false;
    std::string exportTime;
};

// The ship line is Corvanis::IsShipLine's.
bool IsExportTimeLine(const Corvanis::BlueprintLine& line);

// Takes what a ship line or an export time line says; the first of each
// counts. Other lines are left alone.
void ReadHeaderLine(const Corvanis::BlueprintLine& line, ShipHeader& header);

}  // namespace blueprint_tool
