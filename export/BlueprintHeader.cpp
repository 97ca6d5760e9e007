#include "export/BlueprintHeader.h"

#include "format/Timestamp.h"
#include "forms/FormIDText.h"

namespace Corvanis {

namespace {

// The ship as its forms name it: the reference, its base object, and the
// form its extra data names, in this order of preference.
struct ShipForms {
    const host::Form* candidates[3];
};

ShipForms FormsNamingTheShip(const host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    const veltrane::ExtraDataList* extra = game.RefGetExtraDataList(theShipRef);
    const std::uint32_t namedID = extra != nullptr ? game.ExtraGetFormID(extra) : 0;
    return {{theShipRef, game.RefGetBaseObject(theShipRef), namedID != 0 ? game.LookupFormByID(namedID) : nullptr}};
}

// The first of the forms that comes from a data file.
std::string HeaderFormID(const ShipForms& forms) {
    for (const host::Form* form : forms.candidates) {
        if (form == nullptr) continue;
        const std::uint32_t formID = host::Game().FormGetID(form);
        if (!IsCreatedAtRunTime(formID)) return FormIDHex(formID);
    }
    return {};
}

const char* HeaderEditorID(const ShipForms& forms) {
    for (const host::Form* form : forms.candidates) {
        if (form == nullptr) continue;
        const char* editorID = host::Game().FormGetEditorID(form);
        if (editorID != nullptr && editorID[0] != '\0') return editorID;
    }
    return "";
}

}  // namespace

std::string OverrideName(const host::Form* reference) {
    const veltrane::GameInterface& game = host::Game();
    // A reference may have no extra data, and the game reads what it is handed.
    const veltrane::ExtraDataList* extra = game.RefGetExtraDataList(reference);
    const char* overrideName = extra != nullptr ? game.ExtraGetOverrideName(extra) : nullptr;
    return overrideName != nullptr ? overrideName : "";
}

std::string ReferenceDisplayName(const host::Form* reference) {
    const veltrane::GameInterface& game = host::Game();
    if (std::string overrideName = OverrideName(reference); !overrideName.empty()) return overrideName;
    const host::Form* base = game.RefGetBaseObject(reference);
    if (base == nullptr) return {};
    const char* name = game.FormGetDisplayName(base);
    return name != nullptr ? name : "";
}

void WriteBlueprintHeader(BlueprintWriter& out, const host::Form* theShipRef, const std::string& displayName,
                          BackupKind backup) {
    const ShipForms forms = FormsNamingTheShip(theShipRef);
    out.Append("Ship: ");
    out.AppendText(displayName);
    out.Append(" [FormID: ");
    out.Append(HeaderFormID(forms));
    out.Append("] [EditorID: ");
    out.AppendText(HeaderEditorID(forms));
    out.Append("] ");
    out.EndLine();
    out.Append("Export time: ");
    out.Append(MakeTimestamp());
    out.EndLine();
    out.Append("Version: ");
    out.Append(kBlueprintVersionText);
    out.EndLine();
    if (backup != BackupKind::None) {
        out.Append(kBackupLineStart);
        out.Append(BackupKindName(backup));
        out.EndLine();
    }
    out.EndLine();
}

}  // namespace Corvanis
