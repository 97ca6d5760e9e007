#include "import/ImportLayout.h"

#include <algorithm>
#include <utility>

#include "export/BlueprintHeader.h"
#include "host/layouts/DataFiles.h"
#include "import/GameFormResolver.h"
#include "import/ImportShipLayout.h"
#include "import/LayoutComponents.h"
#include "import/reading/BlueprintFile.h"
#include "import/reading/ReadingNotes.h"
#include "import/reading/RefusalReasons.h"
#include "import/reading/UnresolvedForms.h"
#include "import/reading/WholeBlueprint.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

namespace {

bool Fail(ImportErrorInfo& error, std::string text) {
    error.sExtraErrorText = std::move(text);
    return false;
}

bool FailWhole(ImportErrorInfo& error, std::string text) {
    error.sPhase = kWholeBlueprintPhase;
    return Fail(error, std::move(text));
}

host::Form* ShipForm(host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* form = game.CastToBoundObject(game.RefGetBaseObject(theShipRef));
    if (form == nullptr || game.FormQueryType(form) != veltrane::kFormTypeGenericBaseForm) return nullptr;
    return form;
}

// What the blueprint's refused lines lack, read past the first refusal: the
// player learns every data file at once.
std::vector<std::string> UnresolvedFormsNotes(const BlueprintFile& file) {
    GameFormResolver game;
    UnresolvedFormsTally tally(game);
    LayoutAccumulator layout;
    ReturnStorageBlueprintVersionInfo version;
    LayoutReader reader(tally, layout, version);
    ImportErrorInfo ignored;
    return UnresolvedFormsTexts(TallyUnresolvedForms(file.Lines(), reader, tally, ignored));
}

// Reads every line, then judges the blueprint as a whole; false at the first
// refusal.
bool ReadLayout(const BlueprintFile& file, LayoutAccumulator& layout, ReturnStorageBlueprintVersionInfo& version,
                ReadingNotes& notes, ImportErrorInfo& error) {
    GameFormResolver forms;
    LayoutReader reader(forms, layout, version, &notes);
    bool blueprint = false;
    for (const BlueprintLine& line : file.Lines()) {
        const LineVerdict verdict = reader.ReadLine(line, error);
        if (verdict == LineVerdict::Refused) {
            error.sReason = ExplainedRefusal(reader.RefusalReason(), line);
            error.notes = UnresolvedFormsNotes(file);
            return false;
        }
        blueprint = blueprint || ShowsBlueprint(line, verdict);
    }
    if (!blueprint) return FailWhole(error, NoBlueprintText(file.Bytes()));
    if (const std::vector<IncompleteElement> incomplete = reader.Finish(); !incomplete.empty()) {
        RefuseIncompleteElement(incomplete.front(), error);
        return false;
    }
    // A backup is what the ship was, modules or not.
    if (layout.parts.empty() && layout.backup != BackupKind::Layout) return FailWhole(error, kNoModuleText);
    return true;
}

// "2 cargo entries were left out: ..." for the entries whose data files are
// not loaded, named once each, and those without an object line.
std::string CargoLeftOutLine(const std::vector<std::string>& leftOut) {
    std::vector<std::string> files;
    std::size_t withoutObject = 0;
    for (const std::string& file : leftOut) {
        if (file.empty()) {
            ++withoutObject;
        } else if (std::find(files.begin(), files.end(), file) == files.end()) {
            files.push_back(file);
        }
    }
    std::string line = std::string(kImportShipLayoutPrefix) + ": WARNING: " + std::to_string(leftOut.size()) +
                       (leftOut.size() == 1 ? " cargo entry was" : " cargo entries were") + " left out of the ship";
    std::string separator = ": ";
    if (!files.empty()) {
        line += separator + "the data files their objects come from are not loaded (";
        for (std::size_t i = 0; i < files.size(); ++i) line += (i == 0 ? "" : ", ") + files[i];
        line += ")";
        separator = "; ";
    }
    if (withoutObject > 0) line += separator + std::to_string(withoutObject) + " without an object line";
    return line;
}

}  // namespace

bool ImportShipLayoutToBaseOfRef(host::Form* theShipRef, std::string directory, std::string fileName,
                                 SettingsFlags, ImportErrorInfo& error, ReturnStorageBlueprintVersionInfo& version,
                                 ImportReport& report, platform::FileSystem& files) {
    error.sPhase = "preparing to import layout";
    if (theShipRef == nullptr) return Fail(error, "theShipRef is nullptr");
    host::Form* theShipForm = ShipForm(theShipRef);
    if (theShipForm == nullptr) return Fail(error, "theShipForm is nullptr or not QRNGenericBaseForm");
    if (!RegularFileExists(directory, fileName, files)) {
        return Fail(error, "Blueprint file [" + fileName + "] at path [" + directory + "] does not exist");
    }
    BlueprintFile file(files);
    if (std::string readError; !file.Open(directory, fileName, readError)) return Fail(error, std::move(readError));

    LayoutAccumulator layout;
    ReadingNotes notes;
    if (!ReadLayout(file, layout, version, notes, error)) return false;
    if (!layout.cargoLeftOut.empty()) report.warnings.push_back(CargoLeftOutLine(layout.cargoLeftOut));
    for (std::string& line : NoteWarningLines(notes, kImportShipLayoutPrefix)) report.warnings.push_back(std::move(line));

    // The import is accepted: what it replaces is saved first.
    BlueprintContents backupContents;
    backupContents.backup = BackupKind::Layout;
    report.backup = BackUpShip({theShipRef, theShipForm, ReferenceDisplayName(theShipRef)}, backupContents, directory,
                               kImportShipLayoutPrefix, files);
    if (report.backup.result == BackupResult::Refused) {
        error.sPhase = "backing up the home ship";
        return Fail(error, report.backup.errorText);
    }
    LayoutStorage storage;
    if (!ReserveLayoutStorage(theShipForm, layout, storage)) {
        RemoveBackup(report.backup, directory, files);
        error.sPhase = "making room for the new layout";
        return Fail(error, "the game has no memory left for the ship's new lists");
    }
    ImportLayoutComponents(theShipForm, theShipRef, layout, version.fVersion, storage);
    return true;
}

}  // namespace Corvanis
