// References: their base, where they stand, their extra data, the interior
// cell they lead to, and whether they are still in the world.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/worldfile/RecordReader.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

void ReadVector(const std::optional<Entry>& entry, float* out) {
    if (!entry) return;
    const std::vector<Entry> elements = entry->Elements();
    if (elements.size() != 3) entry->Fail("must hold three numbers");
    for (std::size_t axis = 0; axis < 3; ++axis) out[axis] = elements[axis].Float();
}

}  // namespace

void FillReference(const Entry& entry, veltrane::Form& reference, const FormResolver& resolver) {
    ReferenceData& data = *reference.ref;
    const Entry base = entry.Field("base");
    data.base = resolver.FormOrNull(base);
    if (data.base != nullptr && data.base->kind == FormKind::Reference) {
        base.Fail("the base of a reference cannot be a reference");
    }
    ReadVector(entry.Optional("position"), data.position);
    ReadVector(entry.Optional("rotation"), data.rotation);
    if (auto scale = entry.Optional("scale")) data.scale = static_cast<std::uint16_t>(scale->Unsigned(0xFFFF));
    const auto extra = entry.Optional("extra");
    if (!extra || !extra->IsNull()) {
        data.extra = resolver.TheWorld().NewExtraData();
        if (extra) ReadExtraData(*extra, *data.extra, resolver);
    }
    if (auto interior = entry.Optional("interior")) {
        data.interiorCell = resolver.FormOrNull(*interior);
        if (data.interiorCell != nullptr && data.interiorCell->kind != FormKind::Cell) {
            interior->Fail("must name a cell");
        }
    }
    if (auto removed = entry.Optional("removed")) data.removed = removed->Bool();
    if (auto cleanup = entry.Optional("workshopCleanup")) data.workshopCleanupDone = cleanup->Bool();
}

void CheckRemovedReferences(const std::vector<PendingForm>& forms) {
    for (const PendingForm& pending : forms) {
        if (pending.kind == FormKind::Reference && pending.form->ref->removed &&
            pending.form->ref->parentCell != nullptr) {
            pending.entry.Fail("a removed reference cannot be in a cell");
        }
    }
}

}  // namespace sim
