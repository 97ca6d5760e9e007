#include "export/WriteShipBlueprint.h"

#include <string>
#include <utility>

#include "export/DecorationItems.h"
#include "export/ExportKeywords.h"
#include "export/ShipBlueprintFile.h"
#include "format/BlueprintFileName.h"
#include "forms/DescribeForm.h"

namespace Corvanis {

namespace {

bool Fail(ExportErrorInfo& error, std::string text) {
    error.sExtraErrorText = std::move(text);
    return false;
}

}  // namespace

bool WriteShipBlueprint(host::Form* theShipRef, host::Form* theInteriorCell, std::string folder,
                        std::string fileName, SettingsFlags settings, ExportErrorInfo& error,
                        platform::FileSystem& files) {
    if (theShipRef == nullptr) return false;
    error.sPhase = "preparing to export ship";

    const ShipToExport ship = ShipOfReference(theShipRef);
    if (ship.form == nullptr) return Fail(error, "theShipForm is nullptr or not QRNGenericBaseForm");
    ExportKeywords keywords{};
    if (std::string missing; !FindExportKeywords(keywords, missing)) return Fail(error, missing);
    if (!host::Game().CellIsInterior(theInteriorCell)) {
        return Fail(error, "theInteriorCell " + DescribeForm(theInteriorCell) + " is not interior");
    }

    BlueprintContents contents;
    contents.items = SelectDecorationItems(theInteriorCell, keywords, settings.exportSettings);
    return WriteShipBlueprintFile(ship, contents, std::move(folder), SanitizeBlueprintFileName(std::move(fileName)),
                                  error, files) == ShipFileResult::Written;
}

}  // namespace Corvanis
