#include "frame/startup/FatalReport.h"

#include "frame/startup/PluginTitle.h"
#include "platform/platform.h"

namespace Corvanis {

std::string FatalReportText(std::string_view functionName, int line, std::string_view errorText) {
    std::string text = "Fatal error has occured in function ";
    text += functionName;
    text += " at line " + std::to_string(line) + "\n\n\nError text: \n -> ";
    text += errorText;
    text += "\n";
    return text;
}

void ReportFatalError(std::string_view functionName, int line, std::string_view errorText) {
    const std::string text = FatalReportText(functionName, line, errorText);
    platform::ShowMessageBox(text.c_str(), PluginTitle().c_str());
    platform::TerminateCurrentProcess(0);
}

}  // namespace Corvanis
