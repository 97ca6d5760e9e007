// Sections of one form each, written only when the form is set.
#include "export/sections/FormLine.h"
#include "export/sections/SectionWriters.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

namespace {

template <class Component>
bool WriteSingleForm(BlueprintWriter& out, const ShipToExport& ship, veltrane::Form* Component::*form,
                     std::string_view key, std::string_view missingFile, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<Component>(ship.form);
    if (component == nullptr || component->*form == nullptr) return true;
    return WriteFormLine(out, key, "", component->*form, missingFile, error);
}

}  // namespace

bool WriteAddToInventoryOnDestroy(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteSingleForm(out, ship, &veltrane::AddToInventoryOnDestroyComponent::form,
                           "QRNAddToInventoryOnDestroy.form |", "KORFile of QRNAddToInventoryOnDestroy ", error);
}

bool WriteSpaceshipAIActor(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteSingleForm(out, ship, &veltrane::SpaceshipAIActorComponent::actor, "QRNSpaceshipAIActor.actor |",
                           "KORFile of QRNSpaceshipAIActor ", error);
}

bool WriteLinkedVoiceType(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteSingleForm(out, ship, &veltrane::LinkedVoiceTypeComponent::voice, "QRNLinkedVoiceType.voice |",
                           "KORFile of QRNLinkedVoiceType ", error);
}

}  // namespace Corvanis
