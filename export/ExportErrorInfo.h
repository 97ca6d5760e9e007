#pragma once

#include "orbx_common/ErrorInfo.h"

namespace Corvanis {

using ExportErrorInfo = ErrorInfo;

}  // namespace Corvanis
