// The game's event sink classes, with the virtual layout the game calls
// through (host/layouts/PlayerUpdateEvents.h): the object is its table
// pointer alone; slot 0 destroys, slot 1 handles an event. Each sink builds its table by hand so
// that it is exactly that on every compiler.
#pragma once

#include "host/layouts/PlayerUpdateEvents.h"

namespace veltrane {

template <class Event>
class VXTEventSink : public VXTEventDetail::SinkBase {
protected:
    constexpr explicit VXTEventSink(const EventSinkVTable* table) : SinkBase{table} {}
};

}  // namespace veltrane
