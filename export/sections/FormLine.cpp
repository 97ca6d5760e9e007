#include "export/sections/FormLine.h"

#include "forms/DescribeForm.h"

namespace Corvanis {

std::string MissingFileText(std::string_view what, const host::Form* form) {
    return std::string(what) + DescribeForm(form) + " is nullptr";
}

bool WriteFormLine(BlueprintWriter& out, std::string_view prefix, std::string_view rest, const host::Form* form,
                   std::string_view what, ExportErrorInfo& error) {
    if (out.FormLine(prefix, rest, form)) return true;
    error.sExtraErrorText = MissingFileText(what, form);
    return false;
}

}  // namespace Corvanis
