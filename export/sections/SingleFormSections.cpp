// Sections of one form each, written only when the form is set.
#include "export/sections/FormLine.h"
#include "export/sections/SectionWriters.h"

namespace Corvanis {

bool WriteAddToInventoryOnDestroy(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::AddToInventoryOnDestroyComponent>(ship.form);
    if (component == nullptr || component->form == nullptr) return true;
    return WriteFormLine(out, "QRNAddToInventoryOnDestroy.form |", "", component->form,
                         "KORFile of QRNAddToInventoryOnDestroy ", error);
}

bool WriteSpaceshipAIActor(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component =
        host::FindComponent<veltrane::SpaceshipAIActorComponent>(ship.form);
    if (component == nullptr || component->actor == nullptr) return true;
    return WriteFormLine(out, "QRNSpaceshipAIActor.actor |", "", component->actor, "KORFile of QRNSpaceshipAIActor ",
                         error);
}

bool WriteLinkedVoiceType(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component =
        host::FindComponent<veltrane::LinkedVoiceTypeComponent>(ship.form);
    if (component == nullptr || component->voice == nullptr) return true;
    return WriteFormLine(out, "QRNLinkedVoiceType.voice |", "", component->voice, "KORFile of QRNLinkedVoiceType ",
                         error);
}

}  // namespace Corvanis
