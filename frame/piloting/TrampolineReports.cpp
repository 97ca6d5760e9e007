#include "frame/piloting/TrampolineReports.h"

#include "orbx_common/Diagnostic.h"
#include "platform/platform.h"

namespace Corvanis {

namespace {

constexpr std::uint32_t kAssertionExitCode = 3;

std::string CheckLine(int line, const char* condition) {
    return "Assertion failed in orbx_common/BranchTrampoline (" + std::to_string(line) + "): " + condition;
}

}  // namespace

void ReportTrampolineSearch(const TrampolineSearch& search) {
    using Kind = TrampolineSearchEvent::Kind;
    for (const TrampolineSearchEvent& event : search.events) {
        switch (event.kind) {
            case Kind::QueryFailed:
                WriteDiagnostic("VirtualQuery failed: %08X", event.error);
                break;
            case Kind::ReservationRefused:
                WriteDiagnostic("trampoline alloc %016I64Xx%016I64X failed (%08X)",
                                static_cast<unsigned long long>(event.address),
                                static_cast<unsigned long long>(BranchTrampoline::kSize), event.error);
                break;
            case Kind::NoFreeSpace:
                WriteDiagnostic("couldn't allocate trampoline, no free space before image");
                break;
        }
    }
}

std::string FailedCheckReport(TrampolineStatus status) {
    switch (status) {
        case TrampolineStatus::NoTrampoline:
            return CheckLine(125, "m_base");
        case TrampolineStatus::Full:
            return CheckLine(255, "result");
        case TrampolineStatus::OutOfReach:
            return CheckLine(245, "(trampolineDispl >= _I32_MIN) && (trampolineDispl <= _I32_MAX)");
        case TrampolineStatus::Ok:
        case TrampolineStatus::NotWritable:
            break;
    }
    return {};
}

TrampolineStatus StopOnFailedCheck(TrampolineStatus status) {
    const std::string report = FailedCheckReport(status);
    if (report.empty()) return status;
    WriteDiagnostic("%s", report.c_str());
    platform::TerminateCurrentProcess(kAssertionExitCode);
}

}  // namespace Corvanis
