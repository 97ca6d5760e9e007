#include "export/WriteShipBlueprint.h"

#include <string>
#include <utility>

#include "export/BlueprintFileName.h"
#include "export/BlueprintHeader.h"
#include "export/BlueprintOutputFile.h"
#include "export/BlueprintWriter.h"
#include "export/DecorationItems.h"
#include "export/ExportKeywords.h"
#include "export/sections/DecorItemSection.h"
#include "export/sections/ShipSections.h"
#include "forms/DescribeForm.h"

namespace Corvanis {

namespace {

constexpr const char* kNotOpenText = "Blueprint write error: !log.is_open()";
constexpr const char* kWriteFailedText = "Blueprint write error: log.bad()";
constexpr const char* kCloseFailedText = "Blueprint write error: log.fail()";

host::Form* ShipForm(host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* form = game.CastToGenericBaseForm(game.RefGetBaseObject(theShipRef));
    if (form == nullptr || game.FormQueryType(form) != veltrane::kFormTypeGenericBaseForm) return nullptr;
    return form;
}

bool Fail(ExportErrorInfo& error, std::string text) {
    error.sExtraErrorText = std::move(text);
    return false;
}

// Everything after the checks: the lines, written section by section. A
// write that fails stops the export in the section it failed in.
bool WriteLines(BlueprintWriter& out, const ShipToExport& ship, const host::Form* theInteriorCell,
                const ExportKeywords& keywords, const SettingsFlags& settings, ExportErrorInfo& error) {
    WriteBlueprintHeader(out, ship.reference, ship.displayName);
    if (out.Failed()) return Fail(error, kWriteFailedText);
    for (const ShipSection& section : ShipSections()) {
        error.sPhase = section.phase;
        if (!section.write(out, ship, error)) return false;
        if (out.Failed()) return Fail(error, kWriteFailedText);
    }
    error.sPhase = "exporting DecorItems";
    const std::vector<DecorationItem> items =
        SelectDecorationItems(theInteriorCell, keywords, settings.exportSettings);
    if (!WriteDecorItems(out, items, error)) return false;
    if (!out.Flush()) return Fail(error, kWriteFailedText);
    return true;
}

// Gives the complete file its name; a file that took the name meanwhile is
// left alone.
bool Finish(BlueprintOutputFile& file, ExportErrorInfo& error) {
    if (!file.Close()) return Fail(error, kCloseFailedText);
    switch (file.PutInPlace()) {
        case platform::MoveResult::Moved:
            return true;
        case platform::MoveResult::TargetExists:
            return Fail(error, "Blueprint write error: file already exists at [" + file.Path() + "]");
        case platform::MoveResult::Failed:
            break;
    }
    return Fail(error, kCloseFailedText);
}

}  // namespace

bool WriteShipBlueprint(host::Form* theShipRef, host::Form* theInteriorCell, std::string folder,
                        std::string fileName, SettingsFlags settings, ExportErrorInfo& error,
                        platform::FileSystem& files) {
    if (theShipRef == nullptr) return false;
    error.sPhase = "preparing to export ship";

    ShipToExport ship{theShipRef, ShipForm(theShipRef), {}};
    if (ship.form == nullptr) return Fail(error, "theShipForm is nullptr or not QRNGenericBaseForm");
    ExportKeywords keywords{};
    if (std::string missing; !FindExportKeywords(keywords, missing)) return Fail(error, missing);
    if (!host::Game().CellIsInterior(theInteriorCell)) {
        return Fail(error, "theInteriorCell " + DescribeForm(theInteriorCell) + " is not interior");
    }

    BlueprintOutputFile file(files, std::move(folder), SanitizeBlueprintFileName(std::move(fileName)));
    if (!file.Open()) return Fail(error, kNotOpenText);
    BlueprintWriter out(files, file.Handle());
    ship.displayName = ReferenceDisplayName(theShipRef);
    if (!WriteLines(out, ship, theInteriorCell, keywords, settings, error)) return false;
    return Finish(file, error);
}

}  // namespace Corvanis
