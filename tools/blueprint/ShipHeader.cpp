#include "tools/blueprint/ShipHeader.h"

#include <string_view>

namespace blueprint_tool {

namespace {

constexpr std::string_view kShip = "Ship: ";
constexpr std::string_view kFormID = " [FormID: ";
constexpr std::string_view kEditorID = "] [EditorID: ";
constexpr std::string_view kExportTime = "Export time: ";

// Read from the end, where no name can disturb it: a name is the one part a
// player chooses, and it may hold brackets of its own.
void ReadShipLine(std::string_view text, ShipHeader& header) {
    text.remove_prefix(kShip.size());
    if (text.ends_with("] ")) {
        const std::string_view parts = text.substr(0, text.size() - 2);
        const std::size_t editor = parts.rfind(kEditorID);
        const std::size_t form = editor == std::string_view::npos ? editor : parts.rfind(kFormID, editor);
        if (form != std::string_view::npos) {
            header.shipName = parts.substr(0, form);
            header.formID = parts.substr(form + kFormID.size(), editor - form - kFormID.size());
            header.editorID = parts.substr(editor + kEditorID.size());
            return;
        }
    }
    header.shipName = text;
}

}  // namespace

bool IsExportTimeLine(const Corvanis::BlueprintLine& line) { return line.Text().starts_with(kExportTime); }

void ReadHeaderLine(const Corvanis::BlueprintLine& line, ShipHeader& header) {
    if (IsShipLine(line) && !header.hasShipLine) {
        header.hasShipLine = true;
        ReadShipLine(line.Text(), header);
    } else if (IsExportTimeLine(line) && !header.hasExportTime) {
        header.hasExportTime = true;
        header.exportTime = line.Text().substr(kExportTime.size());
    }
}

}  // namespace blueprint_tool
