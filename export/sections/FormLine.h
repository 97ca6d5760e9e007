#pragma once

#include <string>
#include <string_view>

#include "export/BlueprintWriter.h"
#include "export/ExportErrorInfo.h"
#include "host/host.h"

namespace Corvanis {

// "KORFile of QRNLinkedVoiceType " + the form's description + " is nullptr":
// the text an export stops with when a form's data file cannot be found.
// `what` names the form and ends with a blank.
std::string MissingFileText(std::string_view what, const host::Form* form);

// Writes the line with the form's reference text as its value, or, when the
// form has no home file, sets the error text and returns false without
// writing anything.
bool WriteFormLine(BlueprintWriter& out, std::string_view prefix, std::string_view rest, const host::Form* form,
                   std::string_view what, ExportErrorInfo& error);

}  // namespace Corvanis
