#include "export/sections/FormLine.h"

#include "forms/DescribeForm.h"
#include "forms/FormReference.h"

namespace Corvanis {

std::string MissingFileText(std::string_view what, const host::Form* form) {
    return std::string(what) + DescribeForm(form) + " is nullptr";
}

bool WriteFormLine(BlueprintWriter& out, std::string_view prefix, std::string_view rest, const host::Form* form,
                   std::string_view what, ExportErrorInfo& error) {
    const std::optional<std::string> reference = FormReferenceText(form);
    if (!reference) {
        error.sExtraErrorText = MissingFileText(what, form);
        return false;
    }
    out.Line(prefix, rest, *reference);
    return true;
}

}  // namespace Corvanis
