// Reading what forms carry: ship components and extra data.
#pragma once

#include "host/layouts/GameObjects.h"
#include "sim/worldfile/ReadContext.h"

namespace sim {

// Every component is put on the form as soon as it exists, so a world that
// fails half-way releases what was read so far.
void ReadComponents(const Entry& components, veltrane::Form& form, const FormResolver& resolver);

// {"editorID", "name", "formID", "links"}
void ReadExtraData(const Entry& entry, veltrane::ExtraDataList& extra, const FormResolver& resolver);

}  // namespace sim
