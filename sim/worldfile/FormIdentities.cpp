// The first pass over the forms: which form each entry is. A form from a data
// file has the ID its file and local ID give; a run-time form has the ID it
// names, or the first one free.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sim/worldfile/FormRefText.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

using veltrane::FileRecord;

const char* SectionName(FormKind kind) {
    switch (kind) {
        case FormKind::Plain: return "forms";
        case FormKind::Cell: return "cells";
        case FormKind::Reference: return "references";
    }
    return "forms";
}

// Fails on a form ID or a world name that two entries share, naming both.
class FormIdentifier {
public:
    explicit FormIdentifier(World& world) : world_(world) {}

    void IdentifySection(const Entry& section, FormKind kind) {
        for (const Entry& element : section.Elements()) {
            const Entry idEntry = element.Field("id");
            const std::string id = idEntry.String();
            PendingForm pending{element.Labelled(id), kind, std::nullopt, {}, nullptr, nullptr};
            const auto parsed = ParseFormRefText(id);
            const bool hasFormID = element.Has("formID");
            if (!parsed || parsed->kind == FormRefText::Kind::EditorID) {
                idEntry.Fail("must be a file and local ID (Veltrane.vmf:01A2B3), a run-time name (@Name) or a "
                             "run-time ID (#FF000801)");
            }
            switch (parsed->kind) {
                case FormRefText::Kind::FileLocal: {
                    const FileRecord* file = world_.FindFile(parsed->text);
                    if (file == nullptr) idEntry.Fail("no loaded file is named \"" + parsed->text + "\"");
                    const auto formID = file->FormIDOf(parsed->number);
                    if (!formID) idEntry.Fail("the local ID does not fit a file of that slot");
                    if (hasFormID) pending.entry.Field("formID").Fail("only run-time forms named @Name take a formID");
                    pending.file = file;
                    pending.formID = *formID;
                    break;
                }
                case FormRefText::Kind::WorldName:
                    pending.worldName = parsed->text;
                    if (auto [at, added] = worldNames_.emplace(parsed->text, pending.entry.Path()); !added) {
                        idEntry.Fail("the name " + parsed->text + " is also used by " + at->second);
                    }
                    if (hasFormID) pending.formID = ReadRuntimeID(pending.entry.Field("formID"));
                    break;
                case FormRefText::Kind::FormID:
                    if (!IsRuntimeFormID(parsed->number)) {
                        idEntry.Fail("a form from a data file is named by its file and local ID "
                                     "(Veltrane.vmf:01A2B3)");
                    }
                    if (hasFormID) pending.entry.Field("formID").Fail("only run-time forms named @Name take a formID");
                    pending.formID = parsed->number;
                    break;
                case FormRefText::Kind::EditorID:
                    break;
            }
            if (pending.formID) ClaimFormID(*pending.formID, pending.entry);
            forms_.push_back(std::move(pending));
        }
    }

    // Run-time forms a world names without an ID take the first free ones;
    // forms made later continue after the highest run-time ID in the world.
    void AssignRuntimeIDs() {
        std::uint32_t next = kFirstRuntimeFormID;
        for (PendingForm& pending : forms_) {
            if (pending.formID) continue;
            while (formIDs_.count(next) != 0) ++next;
            pending.formID = next;
            ClaimFormID(next, pending.entry);
        }
        std::uint32_t highest = kFirstRuntimeFormID - 1;
        for (const auto& claimed : formIDs_) {
            if (IsRuntimeFormID(claimed.first)) highest = std::max(highest, claimed.first);
        }
        world_.SetNextRuntimeFormID(highest == 0xFFFFFFFF ? 0 : highest + 1);
    }

    std::vector<PendingForm> TakeForms() { return std::move(forms_); }

private:
    void ClaimFormID(std::uint32_t formID, const Entry& entry) {
        if (auto [at, added] = formIDs_.emplace(formID, entry.Path()); !added) {
            entry.Fail("the form ID " + HexID(formID, 8) + " is also used by " + at->second);
        }
    }

    World& world_;
    std::vector<PendingForm> forms_;
    std::unordered_map<std::uint32_t, std::string> formIDs_;
    std::unordered_map<std::string, std::string> worldNames_;
};

}  // namespace

std::vector<PendingForm> IdentifyForms(const Entry& root, World& world) {
    FormIdentifier identifier(world);
    for (FormKind kind : {FormKind::Plain, FormKind::Cell, FormKind::Reference}) {
        if (auto section = root.Optional(SectionName(kind))) identifier.IdentifySection(*section, kind);
    }
    identifier.AssignRuntimeIDs();
    return identifier.TakeForms();
}

std::uint32_t ReadRuntimeID(const Entry& entry) {
    const std::string text = entry.String();
    const auto parsed = ParseFormRefText("#" + text);
    if (!parsed || text.size() != 8 || !IsRuntimeFormID(parsed->number)) {
        entry.Fail("must be a run-time form ID of eight hexadecimal digits starting FF");
    }
    return parsed->number;
}

}  // namespace sim
