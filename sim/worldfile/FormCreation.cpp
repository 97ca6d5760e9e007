// Makes the forms the first pass has named, each with its type and editor ID,
// so that the second pass finds any form an entry names.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

using veltrane::Form;

std::string ReadEditorID(const Entry& entry) {
    return entry.Has("editorID") ? entry.Field("editorID").String() : std::string();
}

// Returns the form's editor ID.
std::string ReadPlainForm(const Entry& entry, Form& form) {
    entry.AllowOnly({"id", "formID", "type", "queryType", "editorID", "name", "keywords", "files", "fileListIndex",
                     "placement", "components"});
    form.storedType = static_cast<std::uint8_t>(entry.Field("type").Unsigned(255));
    if (form.storedType == veltrane::kFormTypeCell) entry.Field("type").Fail("a cell belongs in \"cells\"");
    if (form.storedType == veltrane::kFormTypeObjectReference ||
        form.storedType == veltrane::kFormTypeActorReference) {
        entry.Field("type").Fail("a reference belongs in \"references\"");
    }
    return ReadEditorID(entry);
}

// Returns the editor ID of the reference's extra data.
std::string ReadReference(const Entry& entry, Form& form) {
    // A reference's name is the override in its extra data, else its base's.
    entry.AllowOnly({"id", "formID", "type", "queryType", "keywords", "files", "fileListIndex", "base", "position",
                     "rotation", "scale", "extra", "interior", "removed", "workshopCleanup"});
    form.storedType = veltrane::kFormTypeObjectReference;
    if (auto type = entry.Optional("type")) {
        form.storedType = static_cast<std::uint8_t>(type->Unsigned(255));
        if (form.storedType != veltrane::kFormTypeObjectReference &&
            form.storedType != veltrane::kFormTypeActorReference) {
            type->Fail("must be 74 (object reference) or 75 (actor reference)");
        }
    }
    form.ref = std::make_unique<ReferenceData>();
    if (auto extra = entry.Optional("extra")) return ReadEditorID(*extra);
    return {};
}

// Returns the editor ID the resolver is to find the form by.
std::string ReadTypeAndEditorID(const PendingForm& pending, Form& form) {
    switch (pending.kind) {
        case FormKind::Plain: return ReadPlainForm(pending.entry, form);
        case FormKind::Cell: return ReadEditorID(pending.entry);
        case FormKind::Reference: return ReadReference(pending.entry, form);
    }
    return {};
}

}  // namespace

void CreateForms(std::vector<PendingForm>& forms, FormResolver& resolver) {
    World& world = resolver.TheWorld();
    for (PendingForm& pending : forms) {
        const Entry& entry = pending.entry;
        FormHandle form = pending.kind == FormKind::Cell ? PlaceCell(entry, world) : world.MakeForm(pending.kind);
        form->formID = *pending.formID;
        form->worldName = pending.worldName;
        const std::string editorID = ReadTypeAndEditorID(pending, *form);
        form->queryType = form->storedType;
        if (auto queryType = entry.Optional("queryType")) {
            form->queryType = static_cast<std::uint8_t>(queryType->Unsigned(255));
        }
        // A reference's editor ID lives in its extra data.
        if (pending.kind != FormKind::Reference) form->editorID = editorID;
        pending.form = world.AddForm(std::move(form));
        resolver.AddEditorID(editorID, pending.form);
    }
}

}  // namespace sim
