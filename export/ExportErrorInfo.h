#pragma once

#include "frame/ErrorInfo.h"

namespace Corvanis {

using ExportErrorInfo = ErrorInfo;

}  // namespace Corvanis
