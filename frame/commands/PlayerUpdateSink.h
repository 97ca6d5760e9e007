// Retrying the command installation: while commands are missing, the game's
// player update notifications each may make one more attempt, at most one a
// second and only while the game is ready.
#pragma once

#include <cstdint>

#include "host/event_sink.h"
#include "host/layouts/PlayerUpdateEvents.h"

namespace Corvanis {

class Corvanis_PlayerUpdateEventClass : public veltrane::VXTEventSink<veltrane::PlayerUpdateEvent> {
public:
    constexpr Corvanis_PlayerUpdateEventClass();

    std::uint32_t ProcessEvent(const veltrane::PlayerUpdateEvent* event, veltrane::EventSource* source);

private:
    static void Destroy(veltrane::VXTEventDetail::SinkBase* self, std::uint32_t flags);
    static std::uint32_t ProcessEventEntry(veltrane::VXTEventDetail::SinkBase* self, const void* event,
                                           veltrane::EventSource* source);

    friend struct PlayerUpdateSinkTable;
};

struct PlayerUpdateSinkTable {
    static constexpr veltrane::EventSinkVTable kVTable{&Corvanis_PlayerUpdateEventClass::Destroy,
                                                       &Corvanis_PlayerUpdateEventClass::ProcessEventEntry};
};

constexpr Corvanis_PlayerUpdateEventClass::Corvanis_PlayerUpdateEventClass()
    : VXTEventSink(&PlayerUpdateSinkTable::kVTable) {}

static_assert(sizeof(Corvanis_PlayerUpdateEventClass) == sizeof(veltrane::VXTEventDetail::SinkBase),
              "the game sees the table pointer and nothing else");

// The one instance the game is handed.
extern Corvanis_PlayerUpdateEventClass g_playerUpdateSink;

// Adds the instance to the game's player update event source, or removes it.
void RegisterPlayerUpdateSink(bool registerSink);

}  // namespace Corvanis
