#pragma once

#include "host/host.h"

namespace Corvanis {

// The data file a form's ID belongs to: among the active file records of the
// form's file list, the first whose index text equals the file part of the
// form's ID. None for forms created at run time and for forms whose own file
// is missing from their list or inactive.
const veltrane::FileRecord* FindHomeFile(const host::Form* form);

}  // namespace Corvanis
