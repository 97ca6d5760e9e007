// The game's event sink classes, with the virtual layout the game calls
// through (host/layouts.h): the object is its table pointer alone; slot 0
// destroys, slot 1 handles an event. The tables are built by hand so that
// they are exactly that on every compiler.
#pragma once

#include <cstdint>

#include "host/layouts.h"

namespace veltrane {

template <class Event>
class VXTEventSink : public VXTEventDetail::SinkBase {
public:
    constexpr VXTEventSink() : SinkBase{&kVTable} {}

    // Called by the game's event source; answers whether to go on notifying
    // the other sinks.
    std::uint32_t ProcessEvent(const Event* event, EventSource* source) {
        return vtable->processEvent(this, event, source);
    }

protected:
    // For derived classes, which bring their own table.
    constexpr explicit VXTEventSink(const EventSinkVTable* table) : SinkBase{table} {}

private:
    static void Destroy(VXTEventDetail::SinkBase*, std::uint32_t) {}
    static std::uint32_t ProcessEventEntry(VXTEventDetail::SinkBase*, const void*, EventSource*) {
        return kNotifyContinue;
    }
    static constexpr EventSinkVTable kVTable{&Destroy, &ProcessEventEntry};
};

}  // namespace veltrane
