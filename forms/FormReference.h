// How a blueprint names a form so that another load order finds it again:
// the form's ID inside its data file and the file's name, as
// "01A2B3|Veltrane.vmf".
#pragma once

#include <optional>
#include <string>

#include "forms/FileSlotKind.h"
#include "host/host.h"

namespace Corvanis {

// The form's ID without its file part for a file of the given kind: "01A2B3"
// for 0x0001A2B3 and a full-slot file, "345" for 0xFE012345 and an FE-slot
// file, "ABCD" for 0xFD05ABCD and an FD-slot file. Empty for ID 0 or no form.
std::string LocalFormIDText(const host::Form* form, FileSlotKind kind);

// The form reference text, or none when the form has no home file.
std::optional<std::string> FormReferenceText(const host::Form* form);

}  // namespace Corvanis
