// The game's player update notifications and the event sink that receives
// them.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts/GameObjects.h"

namespace veltrane {

struct PlayerUpdateEvent {
    std::uint64_t sequence;  // counts notifications; nobody relies on it
};

namespace VXTEventDetail {
struct SinkBase;
}

// Hand-built virtual table: slot 0 is the destructor (the game's scalar
// deleting form: it takes the object and a flag word), slot 1 ProcessEvent.
// A compiler's own table would put two destructors first on some ABIs.
struct EventSinkVTable {
    void (*destroy)(VXTEventDetail::SinkBase* self, std::uint32_t flags);
    std::uint32_t (*processEvent)(VXTEventDetail::SinkBase* self, const void* event,
                                  EventSource* source);
};
static_assert(sizeof(EventSinkVTable) == 16);
static_assert(offsetof(EventSinkVTable, processEvent) == 8);

namespace VXTEventDetail {
struct SinkBase {
    const EventSinkVTable* vtable;
};
static_assert(sizeof(SinkBase) == 8);
}  // namespace VXTEventDetail

constexpr std::uint32_t kNotifyContinue = 0;

}  // namespace veltrane
