#pragma once

#include <string>

#include "host/host.h"

namespace Corvanis {

// The part of a form ID that names the file, as the file's own indices give
// it: "1A" for a full-slot file with compile index 0x1A, "FE012" for FE index
// 0x012, "FD05" for FD index 0x05. The master file is always "00". "-01" for
// no file, a file without name, and a file whose indices give ID 0.
std::string FileIndexText(const veltrane::FileRecord* file);

}  // namespace Corvanis
