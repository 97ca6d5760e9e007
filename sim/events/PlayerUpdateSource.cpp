#include "sim/events/PlayerUpdateSource.h"

#include <algorithm>

#include "host/layouts/PlayerUpdateEvents.h"
#include "sim/console/ConsoleOutput.h"

namespace sim {

using veltrane::EventSource;
using veltrane::VXTEventDetail::SinkBase;

void AddEventSink(EventSource* source, SinkBase* sink) {
    if (source == nullptr || sink == nullptr) return;
    if (sink->vtable == nullptr || sink->vtable->processEvent == nullptr) {
        ReportGameError("AddSink was handed a sink without a virtual table");
        return;
    }
    if (std::find(source->sinks.begin(), source->sinks.end(), sink) != source->sinks.end()) return;
    source->sinks.push_back(sink);
}

void RemoveEventSink(EventSource* source, SinkBase* sink) {
    if (source == nullptr || sink == nullptr) return;
    auto found = std::find(source->sinks.begin(), source->sinks.end(), sink);
    if (found == source->sinks.end()) return;
    if (source->dispatchDepth > 0) {
        *found = nullptr;
    } else {
        source->sinks.erase(found);
    }
}

void DispatchPlayerUpdate(EventSource* source) {
    const veltrane::PlayerUpdateEvent event{++source->sequence};
    ++source->dispatchDepth;
    // Sinks added while this runs are first called by the next dispatch.
    const std::size_t registered = source->sinks.size();
    for (std::size_t i = 0; i < registered; ++i) {
        SinkBase* sink = source->sinks[i];
        if (sink == nullptr) continue;
        if (sink->vtable->processEvent(sink, &event, source) != veltrane::kNotifyContinue) break;
    }
    if (--source->dispatchDepth == 0) {
        source->sinks.erase(std::remove(source->sinks.begin(), source->sinks.end(), nullptr), source->sinks.end());
    }
}

std::size_t EventSinkCount(const EventSource& source) {
    return static_cast<std::size_t>(
        std::count_if(source.sinks.begin(), source.sinks.end(), [](const SinkBase* s) { return s != nullptr; }));
}

}  // namespace sim
