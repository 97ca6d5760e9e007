#include "frame/startup/LoaderMessages.h"

#include <exception>

#include "frame/startup/DataLoaded.h"
#include "orbx_common/Diagnostic.h"

namespace Corvanis {

namespace {

constexpr const char* kStartUpStopped = "Corvanis: the start-up after the game's data was loaded stopped early: %s";

}  // namespace

void DispatchLoaderMessage(const orbx::Message* message, void (*onDataLoaded)()) {
    if (message == nullptr || message->type != orbx::kMessageDataLoaded) return;
    // Nothing may unwind into the loader, and a start-up that ends half done
    // must not do so unseen: the commands or the patch may be missing.
    try {
        onDataLoaded();
    } catch (const std::exception& error) {
        WriteDiagnostic(kStartUpStopped, error.what());
    } catch (...) {
        WriteDiagnostic(kStartUpStopped, "unknown exception");
    }
}

void OnLoaderMessage(orbx::Message* message) { DispatchLoaderMessage(message, OnDataLoaded); }

}  // namespace Corvanis
