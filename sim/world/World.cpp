#include "sim/world/World.h"

#include <new>

#include "host/layouts/DataFiles.h"
#include "sim/world/AsciiCase.h"
#include "sim/world/ClassIdentities.h"
#include "sim/world/Components.h"

namespace sim {

void FormRelease::operator()(veltrane::Form* form) const {
    if (inWorldMemory) {
        form->~Form();
    } else {
        delete form;
    }
}

World::~World() {
    std::unordered_set<const void*> given;
    for (const auto& form : ownedForms_) {
        for (const ComponentInstance& component : form->components) {
            DestroyComponentRecord(*component.type, component.record, given);
        }
    }
}

veltrane::FileRecord* World::AddFile(std::unique_ptr<veltrane::FileRecord> file) {
    files_.push_back(std::move(file));
    fileSet_.insert(files_.back().get());
    return files_.back().get();
}

veltrane::FileRecord* World::FindFile(std::string_view name) const {
    for (const auto& file : files_) {
        if (SameTextIgnoringCase(file->name, name)) return file.get();
    }
    return nullptr;
}

FormHandle World::MakeForm(FormKind kind) {
    FormHandle form(new veltrane::Form, FormRelease{false});
    form->kind = kind;
    form->head.classIdentity = ClassIdentity(kind == FormKind::Reference ? ObjectClass::Reference : ObjectClass::Form);
    return form;
}

FormHandle World::MakeCell(MemoryPlace place, const void* classIdentity, std::string& problem) {
    void* storage = memory_.Allocate(place, sizeof(veltrane::Form), problem);
    if (storage == nullptr) return FormHandle(nullptr, FormRelease{true});
    FormHandle cell(new (storage) veltrane::Form, FormRelease{true});
    cell->head.classIdentity = classIdentity;
    cell->kind = FormKind::Cell;
    cell->storedType = veltrane::kFormTypeCell;
    cell->queryType = veltrane::kFormTypeCell;
    cell->cell = std::make_unique<CellData>();
    cell->cell->memory = place;
    return cell;
}

veltrane::Form* World::AddForm(FormHandle form) {
    veltrane::Form* added = form.get();
    ownedForms_.push_back(std::move(form));
    byID_[added->formID] = added;
    if (!added->worldName.empty()) byWorldName_[added->worldName] = added;
    switch (added->kind) {
        case FormKind::Plain: plainForms_.push_back(added); break;
        case FormKind::Cell: cells_.push_back(added); break;
        case FormKind::Reference: references_.push_back(added); break;
    }
    return added;
}

veltrane::Form* World::Lookup(std::uint32_t formID) const {
    veltrane::Form* form = LookupAny(formID);
    if (form != nullptr && form->ref && form->ref->removed) return nullptr;
    return form;
}

veltrane::Form* World::LookupAny(std::uint32_t formID) const {
    auto found = byID_.find(formID);
    return found == byID_.end() ? nullptr : found->second;
}

veltrane::Form* World::LookupByWorldName(const std::string& name) const {
    auto found = byWorldName_.find(name);
    return found == byWorldName_.end() ? nullptr : found->second;
}

veltrane::Form* World::LookupInFile(std::string_view fileName, std::uint32_t localID) const {
    const veltrane::FileRecord* file = FindFile(fileName);
    if (file == nullptr) return nullptr;
    return Lookup(ComposeFormID(file->slot, file->SlotIndex(), localID));
}

const std::vector<veltrane::Form*>& World::FormsOfKind(FormKind kind) const {
    switch (kind) {
        case FormKind::Cell: return cells_;
        case FormKind::Reference: return references_;
        case FormKind::Plain: break;
    }
    return plainForms_;
}

veltrane::ExtraDataList* World::NewExtraData() {
    extras_.push_back(std::make_unique<veltrane::ExtraDataList>());
    return extras_.back().get();
}

std::uint32_t World::TakeRuntimeFormID() {
    while (nextRuntimeFormID_ != 0 && IsRuntimeFormID(nextRuntimeFormID_)) {
        const std::uint32_t candidate = nextRuntimeFormID_;
        nextRuntimeFormID_ = candidate == 0xFFFFFFFF ? 0 : candidate + 1;
        if (byID_.count(candidate) == 0) return candidate;
    }
    return 0;
}

std::uint32_t World::HandleFor(veltrane::Form* reference) {
    if (reference->ref->handle == 0) {
        handles_.push_back(reference);
        reference->ref->handle = static_cast<std::uint32_t>(handles_.size());
    }
    return reference->ref->handle;
}

veltrane::Form* World::ReferenceForHandle(std::uint32_t handle) const {
    if (handle == 0 || handle > handles_.size()) return nullptr;
    veltrane::Form* reference = handles_[handle - 1];
    return reference->ref->removed ? nullptr : reference;
}

}  // namespace sim
