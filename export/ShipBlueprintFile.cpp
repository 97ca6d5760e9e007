#include "export/ShipBlueprintFile.h"

#include <utility>

#include "export/BlueprintHeader.h"
#include "export/BlueprintOutputFile.h"
#include "export/BlueprintWriter.h"
#include "export/sections/DecorItemSection.h"
#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

constexpr const char* kNotOpenText = "Blueprint write error: !log.is_open()";
constexpr const char* kWriteFailedText = "Blueprint write error: log.bad()";
constexpr const char* kCloseFailedText = "Blueprint write error: log.fail()";

ShipFileResult Fail(ExportErrorInfo& error, ShipFileResult result, std::string text) {
    error.sExtraErrorText = std::move(text);
    return result;
}

// Everything after the file is open: the lines, written section by section.
// A write that fails stops the export in the section it failed in.
ShipFileResult WriteLines(BlueprintWriter& out, const ShipToExport& ship, const BlueprintContents& contents,
                          ExportErrorInfo& error) {
    WriteBlueprintHeader(out, ship.reference, ship.displayName, contents.backup);
    if (out.Failed()) return Fail(error, ShipFileResult::FileRefused, kWriteFailedText);
    if (contents.layout) {
        for (const ShipSection& section : ShipSections()) {
            error.sPhase = section.phase;
            if (!section.write(out, ship, error)) return ShipFileResult::ShipNotCarried;
            if (out.Failed()) return Fail(error, ShipFileResult::FileRefused, kWriteFailedText);
        }
    }
    error.sPhase = "exporting DecorItems";
    if (!WriteDecorItems(out, contents.items, error)) return ShipFileResult::ShipNotCarried;
    if (!WritePlacedByImport(out, contents.placedByImport, error)) return ShipFileResult::ShipNotCarried;
    if (!out.Flush()) return Fail(error, ShipFileResult::FileRefused, kWriteFailedText);
    return ShipFileResult::Written;
}

// Gives the complete file its name; a file that took the name meanwhile is
// left alone.
ShipFileResult Finish(BlueprintOutputFile& file, ExportErrorInfo& error) {
    if (!file.Close()) return Fail(error, ShipFileResult::FileRefused, kCloseFailedText);
    switch (file.PutInPlace()) {
        case platform::MoveResult::Moved:
            return ShipFileResult::Written;
        case platform::MoveResult::TargetExists:
            return Fail(error, ShipFileResult::NameTaken,
                        "Blueprint write error: file already exists at [" + file.Path() + "]");
        case platform::MoveResult::Failed:
            break;
    }
    return Fail(error, ShipFileResult::FileRefused, kCloseFailedText);
}

host::Form* ShipForm(host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* form = game.CastToGenericBaseForm(game.RefGetBaseObject(theShipRef));
    if (form == nullptr || game.FormQueryType(form) != veltrane::kFormTypeGenericBaseForm) return nullptr;
    return form;
}

}  // namespace

ShipToExport ShipOfReference(host::Form* theShipRef) {
    return {theShipRef, ShipForm(theShipRef), ReferenceDisplayName(theShipRef)};
}

ShipFileResult WriteShipBlueprintFile(const ShipToExport& ship, const BlueprintContents& contents,
                                      std::string folder, const std::string& fileName, ExportErrorInfo& error,
                                      platform::FileSystem& files) {
    BlueprintOutputFile file(files, std::move(folder), fileName);
    if (!file.Open()) return Fail(error, ShipFileResult::FileRefused, kNotOpenText);
    BlueprintWriter out(files, file.Handle());
    const ShipFileResult written = WriteLines(out, ship, contents, error);
    if (written != ShipFileResult::Written) return written;
    return Finish(file, error);
}

}  // namespace Corvanis
