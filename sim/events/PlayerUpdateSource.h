// The game's PlayerUpdateEvent source. Sinks are called through their own
// virtual table (slot 1); a sink may remove itself or another sink while it is
// being notified, and a removed sink is never called again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/layouts/GameObjects.h"
#include "host/layouts/PlayerUpdateEvents.h"

namespace veltrane {

struct EventSource {
    std::vector<VXTEventDetail::SinkBase*> sinks;  // removed during dispatch: null until it ends
    int dispatchDepth = 0;
    std::uint64_t sequence = 0;
};

}  // namespace veltrane

namespace sim {

void AddEventSink(veltrane::EventSource* source, veltrane::VXTEventDetail::SinkBase* sink);
void RemoveEventSink(veltrane::EventSource* source, veltrane::VXTEventDetail::SinkBase* sink);

// Notifies the sinks registered when the dispatch begins, in order, until one
// asks to stop.
void DispatchPlayerUpdate(veltrane::EventSource* source);

std::size_t EventSinkCount(const veltrane::EventSource& source);

}  // namespace sim
