#include "sim/world/References.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "host/layouts/DataFiles.h"
#include "host/layouts/ReferenceCreation.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/FormTypes.h"

namespace sim {

using veltrane::CreateReferenceRequest;
using veltrane::Form;

namespace {

bool AllZero(const void* bytes, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    return std::all_of(p, p + size, [](unsigned char b) { return b == 0; });
}

bool IsZeroFloat(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits == 0;
}

// The first thing wrong with the request, or an empty text.
bool AllFinite(const float (&values)[3]) {
    return std::isfinite(values[0]) && std::isfinite(values[1]) && std::isfinite(values[2]);
}

std::string RequestProblem(const CreateReferenceRequest& request, std::uint64_t expectedMarker) {
    if (request.recordMarker != expectedMarker) return "the record marker is not the game's";
    if (!IsZeroFloat(request.zero08) || !IsZeroFloat(request.zero0C) || !IsZeroFloat(request.zero2C)) {
        return "a float that must be 0.0 is not";
    }
    if (request.zero48 != 0 || !AllZero(request.zero50, sizeof request.zero50) ||
        !AllZero(request.zero8E, sizeof request.zero8E) || !AllZero(request.zeroA0, sizeof request.zeroA0)) {
        return "a byte that must be 0 is not";
    }
    if (!AllFinite(request.position) || !AllFinite(request.rotation) || !std::isfinite(request.scale)) {
        return "a position, rotation or scale is not finite";
    }
    if (request.flag8C != 1 || request.flag8D != 1) return "the flags at 140 and 141 are not 1";
    if (request.one98 != 1) return "the value at 152 is not 1";
    if (request.baseObject == nullptr) return "no base object";
    if (request.baseObject->kind != FormKind::Plain || !IsBoundObjectType(request.baseObject->storedType)) {
        return "the base object is not a bound object";
    }
    if (request.cell != nullptr && request.parentShip != nullptr) return "both a cell and a parent ship are given";
    if (request.cell == nullptr && request.parentShip == nullptr) return "neither a cell nor a parent ship is given";
    if (request.cell != nullptr && request.cell->kind != FormKind::Cell) return "the cell is not a cell";
    if (request.parentShip != nullptr &&
        (!IsLiveReference(request.parentShip) || request.parentShip->ref->interiorCell == nullptr)) {
        return "the parent ship is not a ship reference with an interior";
    }
    return {};
}

std::uint16_t ScalePercent(float scale) {
    if (!(scale > 0.0f)) return 0;
    const double percent = std::round(static_cast<double>(scale) * 100.0);
    return percent >= 65535.0 ? std::uint16_t{65535} : static_cast<std::uint16_t>(percent);
}

// Counts the links that lead to each reference (ReferenceData::linksToIt).
void CountLinkTo(Form* target, int change) {
    if (target != nullptr && target->kind == FormKind::Reference) {
        target->ref->linksToIt += static_cast<std::uint32_t>(change);
    }
}

void DropLinksTo(const World& world, Form* target) {
    if (target->ref->linksToIt == 0) return;
    for (Form* reference : world.FormsOfKind(FormKind::Reference)) {
        if (reference->ref->extra == nullptr) continue;
        auto& links = reference->ref->extra->links;
        const auto dropped = std::remove_if(links.begin(), links.end(),
                                            [target](const ReferenceLink& link) { return link.target == target; });
        target->ref->linksToIt -= static_cast<std::uint32_t>(links.end() - dropped);
        links.erase(dropped, links.end());
    }
}

void TakeOutOfCell(Form* reference) {
    Form* cell = reference->ref->parentCell;
    if (cell == nullptr) return;
    auto& slots = cell->cell->references;
    slots.erase(std::remove(slots.begin(), slots.end(), reference), slots.end());
    reference->ref->parentCell = nullptr;
}

}  // namespace

bool IsLiveReference(const Form* form) {
    return form != nullptr && form->kind == FormKind::Reference && !form->ref->removed;
}

bool HasKeyword(const Form* form, const Form* keyword) {
    if (form == nullptr || keyword == nullptr) return false;
    if (std::find(form->keywords.begin(), form->keywords.end(), keyword) != form->keywords.end()) return true;
    if (form->kind == FormKind::Reference && form->ref->base != nullptr && form->ref->base != form) {
        const auto& baseKeywords = form->ref->base->keywords;
        return std::find(baseKeywords.begin(), baseKeywords.end(), keyword) != baseKeywords.end();
    }
    return false;
}

Form* LinkedReference(const Form* reference, const Form* keyword) {
    if (reference == nullptr || reference->kind != FormKind::Reference || reference->ref->extra == nullptr) {
        return nullptr;
    }
    for (const ReferenceLink& link : reference->ref->extra->links) {
        if (link.keyword == keyword) return link.target;
    }
    return nullptr;
}

void SetLinkedReference(World& world, Form* reference, Form* target, const Form* keyword, bool persist) {
    if (reference == nullptr || reference->kind != FormKind::Reference) return;
    if (reference->ref->extra == nullptr) {
        if (target == nullptr) return;
        reference->ref->extra = world.NewExtraData();
    }
    auto& links = reference->ref->extra->links;
    auto existing = std::find_if(links.begin(), links.end(),
                                 [keyword](const ReferenceLink& link) { return link.keyword == keyword; });
    if (target == nullptr) {
        if (existing != links.end()) {
            CountLinkTo(existing->target, -1);
            links.erase(existing);
        }
    } else if (existing != links.end()) {
        CountLinkTo(existing->target, -1);
        CountLinkTo(target, +1);
        existing->target = target;
        existing->persist = persist;
    } else {
        CountLinkTo(target, +1);
        links.push_back({const_cast<Form*>(keyword), target, persist});
    }
}

const char* ReferenceDisplayName(const Form* reference) {
    const veltrane::ExtraDataList* extra = reference->ref->extra;
    if (extra != nullptr && extra->overrideName && !extra->overrideName->empty()) {
        return extra->overrideName->c_str();
    }
    return reference->ref->base != nullptr ? reference->ref->base->displayName.c_str() : "";
}

float Distance(const Form* a, const Form* b) {
    if (a == nullptr || b == nullptr || a->kind != FormKind::Reference || b->kind != FormKind::Reference) {
        return 0.0f;
    }
    double sum = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const double d = static_cast<double>(a->ref->position[axis]) - b->ref->position[axis];
        sum += d * d;
    }
    return static_cast<float>(std::sqrt(sum));
}

std::uint32_t CreateReference(World& world, const CreateReferenceRequest* request, std::uint64_t expectedMarker) {
    if (request == nullptr) {
        ReportGameError("CreateReference refused: no request");
        return 0;
    }
    if (std::string problem = RequestProblem(*request, expectedMarker); !problem.empty()) {
        ReportGameError("CreateReference refused: " + problem);
        return 0;
    }
    Form* base = request->baseObject;
    if (base->placement == Placement::Refused) return 0;
    // The new reference is the game's memory too.
    if (!TakeAllocationTurn()) return 0;
    const std::uint32_t formID = world.TakeRuntimeFormID();
    if (formID == 0) {
        ReportGameError("CreateReference refused: the run-time form IDs are used up");
        return 0;
    }
    Form* cell = request->cell != nullptr ? request->cell : request->parentShip->ref->interiorCell;

    FormHandle made = world.MakeForm(FormKind::Reference);
    made->formID = formID;
    made->storedType = veltrane::kFormTypeObjectReference;
    made->queryType = veltrane::kFormTypeObjectReference;
    made->ref = std::make_unique<ReferenceData>();
    ReferenceData& data = *made->ref;
    data.base = base;
    data.parentCell = cell;
    std::copy(std::begin(request->position), std::end(request->position), data.position);
    std::copy(std::begin(request->rotation), std::end(request->rotation), data.rotation);
    data.scale = ScalePercent(request->scale);
    if (base->placement != Placement::WithoutExtraData) data.extra = world.NewExtraData();
    Form* reference = world.AddForm(std::move(made));
    data.slot = cell->cell->references.size();
    cell->cell->references.push_back(reference);
    const std::uint32_t handle = world.HandleFor(reference);
    if (base->placement == Placement::Vanishes) RemoveReference(world, reference);
    return handle;
}

void RemoveReference(World& world, Form* reference) {
    if (!IsLiveReference(reference)) return;
    if (reference == world.player.reference) {
        ReportGameError("RemoveReference refused: the player cannot be removed");
        return;
    }
    // A reference stands in one slot of its cell.
    if (Form* cell = reference->ref->parentCell) {
        auto& slots = cell->cell->references;
        std::size_t& slot = reference->ref->slot;
        if (slot >= slots.size() || slots[slot] != reference) {
            slot = static_cast<std::size_t>(std::find(slots.begin(), slots.end(), reference) - slots.begin());
        }
        if (slot < slots.size()) slots[slot] = nullptr;
    }
    reference->ref->parentCell = nullptr;
    reference->ref->removed = true;
}

void CleanUpRemovedWorkshopItem(World& world, Form* reference) {
    if (reference == nullptr || reference->kind != FormKind::Reference) return;
    reference->ref->workshopCleanupDone = true;
    if (reference->ref->extra != nullptr) {
        for (const ReferenceLink& link : reference->ref->extra->links) CountLinkTo(link.target, -1);
        reference->ref->extra->links.clear();
    }
    DropLinksTo(world, reference);
}

void MoveReferenceToCell(Form* reference, Form* cell) {
    TakeOutOfCell(reference);
    reference->ref->parentCell = cell;
    reference->ref->slot = cell->cell->references.size();
    cell->cell->references.push_back(reference);
}

Form* ShipWithInterior(const World& world, const Form* cell) {
    if (cell == nullptr) return nullptr;
    for (Form* reference : world.FormsOfKind(FormKind::Reference)) {
        if (!reference->ref->removed && reference->ref->interiorCell == cell) return reference;
    }
    return nullptr;
}

Form* ShipPlayerIsIn(const World& world) {
    const Form* player = world.player.reference;
    if (player == nullptr) return nullptr;
    return ShipWithInterior(world, player->ref->parentCell);
}

}  // namespace sim

