#pragma once

#include <vector>

#include "export/BlueprintWriter.h"
#include "export/DecorationItems.h"
#include "export/ExportErrorInfo.h"

namespace Corvanis {

// The decoration items, numbered from 0 in the order given. Stops when an
// item's base object has no home file.
bool WriteDecorItems(BlueprintWriter& out, const std::vector<DecorationItem>& items, ExportErrorInfo& error);

// An interior backup's lines of the references its import placed, each with
// its form ID and its base object (format/BackupLines.h). Stops when a base
// object has no home file.
bool WritePlacedByImport(BlueprintWriter& out, const std::vector<const host::Form*>& references,
                         ExportErrorInfo& error);

}  // namespace Corvanis
