#include "frame/LoaderMessages.h"

#include "frame/DataLoaded.h"

namespace Corvanis {

void DispatchLoaderMessage(const orbx::Message* message, void (*onDataLoaded)()) {
    if (message != nullptr && message->type == orbx::kMessageDataLoaded) onDataLoaded();
}

void OnLoaderMessage(orbx::Message* message) {
    // Nothing may unwind into the loader.
    try {
        DispatchLoaderMessage(message, OnDataLoaded);
    } catch (...) {
    }
}

}  // namespace Corvanis
