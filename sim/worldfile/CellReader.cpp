// Cells: where each lies in the game's memory, its class identity, and the
// references it holds in their slots.
#include <string>

#include "sim/world/CellManager.h"
#include "sim/world/ClassIdentities.h"
#include "sim/worldfile/FormRefText.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

// Cells lie in the game's memory in the order of the file.
FormHandle PlaceCell(const Entry& entry, World& world) {
    entry.AllowOnly({"id", "formID", "queryType", "editorID", "name", "keywords", "files", "fileListIndex",
                     "interior", "loaded", "references", "memory", "classIdentity"});
    MemoryPlace place = MemoryPlace::AboveTiB;
    const auto memory = entry.Optional("memory");
    if (memory) {
        const auto named = MemoryPlaceNamed(memory->String());
        if (!named) memory->Fail("must be \"aboveTiB\", \"belowTiB\", \"low\" or \"module\"");
        place = *named;
    }
    const void* identity = ClassIdentity(ObjectClass::Cell1);
    if (auto staged = entry.Optional("classIdentity")) {
        const auto named = CellIdentityNamed(staged->String());
        if (!named) staged->Fail("must be \"cell1\", \"cell2\", \"cell3\", \"low\" or \"other\"");
        identity = *named;
    }
    std::string problem;
    FormHandle cell = world.MakeCell(place, identity, problem);
    if (!cell) (memory ? *memory : entry).Fail(problem);
    return cell;
}

void FillCell(const Entry& entry, veltrane::Form& cell, const FormResolver& resolver) {
    cell.cell->interior = entry.Field("interior").Bool();
    if (auto loaded = entry.Optional("loaded")) cell.cell->loaded = loaded->Bool();
    if (auto references = entry.Optional("references")) {
        for (const Entry& slot : references->Elements()) {
            veltrane::Form* reference = resolver.FormOrNull(slot);
            if (reference != nullptr) {
                if (reference->kind != FormKind::Reference) slot.Fail("must name a reference");
                if (reference->ref->parentCell != nullptr) {
                    slot.Fail("the reference is already in " +
                              FormatFormRef(resolver.TheWorld(), *reference->ref->parentCell));
                }
                reference->ref->parentCell = &cell;
                reference->ref->slot = cell.cell->references.size();
            }
            cell.cell->references.push_back(reference);
        }
    }
}

}  // namespace sim
