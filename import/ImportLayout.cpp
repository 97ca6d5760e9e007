#include "import/ImportLayout.h"

#include <utility>

#include "export/BlueprintHeader.h"
#include "frame/FileExists.h"
#include "import/GameFormResolver.h"
#include "import/LayoutComponents.h"
#include "import/reading/BlueprintFile.h"

namespace Corvanis {

namespace {

bool Fail(ImportErrorInfo& error, std::string text) {
    error.sExtraErrorText = std::move(text);
    return false;
}

host::Form* ShipForm(host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* form = game.CastToBoundObject(game.RefGetBaseObject(theShipRef));
    if (form == nullptr || game.FormQueryType(form) != veltrane::kFormTypeGenericBaseForm) return nullptr;
    return form;
}

// Reads every line; false at the first the reader refuses.
bool ReadLayout(const BlueprintFile& file, LayoutAccumulator& layout, ReturnStorageBlueprintVersionInfo& version,
                ImportErrorInfo& error) {
    GameFormResolver forms;
    LayoutReader reader(forms, layout, version);
    for (const BlueprintLine& line : file.Lines()) {
        if (reader.ReadLine(line, error) == LineVerdict::Refused) return false;
    }
    return true;
}

}  // namespace

bool ImportShipLayoutToBaseOfRef(host::Form* theShipRef, std::string directory, std::string fileName,
                                 SettingsFlags, ImportErrorInfo& error, ReturnStorageBlueprintVersionInfo& version,
                                 ShipBackup& backup, platform::FileSystem& files) {
    error.sPhase = "preparing to import layout";
    if (theShipRef == nullptr) return Fail(error, "theShipRef is nullptr");
    host::Form* theShipForm = ShipForm(theShipRef);
    if (theShipForm == nullptr) return Fail(error, "theShipForm is nullptr or not QRNGenericBaseForm");
    if (!RegularFileExists(directory, fileName)) {
        return Fail(error, "Blueprint file [" + fileName + "] at path [" + directory + "] does not exist");
    }
    BlueprintFile file(files);
    if (std::string readError; !file.Open(directory, fileName, readError)) return Fail(error, std::move(readError));

    LayoutAccumulator layout;
    if (!ReadLayout(file, layout, version, error)) return false;

    // The import is accepted: what it replaces is saved first.
    backup = BackUpShip({theShipRef, theShipForm, ReferenceDisplayName(theShipRef)}, {}, directory, " before import ",
                        files);
    if (backup.result == BackupResult::Refused) {
        error.sPhase = "backing up the home ship";
        return Fail(error, backup.errorText);
    }
    ImportLayoutComponents(theShipForm, theShipRef, layout, version.fVersion);
    return true;
}

}  // namespace Corvanis
