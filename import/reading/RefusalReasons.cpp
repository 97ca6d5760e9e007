#include "import/reading/RefusalReasons.h"

#include "import/reading/LineReaders.h"
#include "import/reading/ReadingNotes.h"

namespace Corvanis {

const char* UnresolvedFormReason(const BlueprintLine& line, FormResolver& forms) {
    const std::string_view fileName = GetFormFileName(line);
    if (fileName.empty() || ParseHexFormID(GetFormIDText(line)) == 0) {
        return "the value is no form reference: a form ID in hexadecimal, '|', and a data file's name";
    }
    if (!forms.DataFileLoaded(fileName)) return "the form's data file is not loaded";
    return "the form's data file holds no such form";
}

std::string ExplainedRefusal(const char* reason, const BlueprintLine& line) {
    std::string text = reason;
    if (const std::string lookedFor = FormLookedFor(line); !lookedFor.empty()) {
        text += " (the form ID " + std::string(GetFormIDText(line)) +
                " holds a character that is no hexadecimal digit, so the game looks for the form " + lookedFor + ")";
    }
    return text;
}

}  // namespace Corvanis
