#include "import/ImportReport.h"

#include "host/host.h"

namespace Corvanis {

void PrintImportReport(const char* successLine, const ImportReport& report) noexcept {
    for (const std::string& warning : report.warnings) host::PrintConsole(warning.c_str());
    host::PrintConsole(successLine);
    if (!report.backup.reportLine.empty()) host::PrintConsole(report.backup.reportLine.c_str());
}

}  // namespace Corvanis
