#include "export/sections/DecorItemSection.h"

#include "export/sections/FormLine.h"
#include "format/BackupLines.h"
#include "format/DecorItemAngles.h"
#include "forms/FormIDText.h"

namespace Corvanis {

namespace {

bool WriteDecorItem(BlueprintWriter& out, std::size_t index, const DecorationItem& item, ExportErrorInfo& error) {
    const veltrane::GameInterface& game = host::Game();
    const IndexedKey prefix("DecorItem[", index);
    if (!WriteFormLine(out, prefix, "].base |", item.base, "KORFile of interior item ", error)) return false;
    float position[3];
    float rotation[3];
    game.RefGetPosition(item.reference, position);
    game.RefGetRotation(item.reference, rotation);
    out.FloatLine(prefix, "].fPosX |", position[0]);
    out.FloatLine(prefix, "].fPosY |", position[1]);
    out.FloatLine(prefix, "].fPosZ |", position[2]);
    out.FloatLine(prefix, "].fRotX |", rotation[0] / kRadiansPerDegree);
    out.FloatLine(prefix, "].fRotY |", rotation[1] / kRadiansPerDegree);
    out.FloatLine(prefix, "].fRotZ |", rotation[2] / kRadiansPerDegree);
    out.FloatLine(prefix, "].fScale |", static_cast<float>(game.RefGetScale(item.reference)) / 100.0f);
    // Without extra data there is no override name to ask for.
    const char* overrideName = item.extra != nullptr ? game.ExtraGetOverrideName(item.extra) : nullptr;
    if (overrideName != nullptr && overrideName[0] != '\0') out.TextLine(prefix, "].overrideName |", overrideName);
    if (item.bWorkshopItem) out.PresenceLine(prefix, "].bWorkshopItem");
    return true;
}

}  // namespace

bool WriteDecorItems(BlueprintWriter& out, const std::vector<DecorationItem>& items, ExportErrorInfo& error) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!WriteDecorItem(out, i, items[i], error)) return false;
    }
    return true;
}

bool WritePlacedByImport(BlueprintWriter& out, const std::vector<const host::Form*>& references,
                         ExportErrorInfo& error) {
    const veltrane::GameInterface& game = host::Game();
    for (std::size_t i = 0; i < references.size(); ++i) {
        const IndexedKey prefix(kPlacedByImportMarker, i);
        const std::string rest = "] |" + FormIDHex(game.FormGetID(references[i])) + "|";
        if (!WriteFormLine(out, prefix, rest, game.RefGetBaseObject(references[i]), "KORFile of interior item ",
                           error)) {
            return false;
        }
    }
    return true;
}

}  // namespace Corvanis
