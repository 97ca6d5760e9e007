#pragma once

#include "orbx_common/ErrorInfo.h"

namespace Corvanis {

// Filled by both importers, printed by their commands.
using ImportErrorInfo = ErrorInfo;

}  // namespace Corvanis
