// The ship's modules.
#include "export/sections/FormLine.h"
#include "export/sections/SectionWriters.h"

namespace Corvanis {

namespace {

bool WritePart(BlueprintWriter& out, std::string_view prefix, const veltrane::BlueprintPartRecord& part,
               bool forUndo, ExportErrorInfo& error) {
    out.FloatLine(prefix, "].fPosX |", part.fPosX);
    out.FloatLine(prefix, "].fPosY |", part.fPosY);
    out.FloatLine(prefix, "].fPosZ |", part.fPosZ);
    out.FloatLine(prefix, "].fRotX |", part.fRotX);
    out.FloatLine(prefix, "].fRotY |", part.fRotY);
    out.FloatLine(prefix, "].fRotZ |", part.fRotZ);
    out.UnsignedLine(prefix, "].partID |", part.partID);
    out.FloatLine(prefix, "].unk1C |", part.unk1C);
    out.FloatLine(prefix, "].unk20 |", part.unk20);
    out.FloatLine(prefix, "].unk24 |", part.unk24);
    out.FloatLine(prefix, "].unk28 |", part.unk28);
    out.FloatLine(prefix, "].unk2C |", part.unk2C);
    out.FloatLine(prefix, "].unk30 |", part.unk30);
    out.FloatLine(prefix, "].unk34 |", part.unk34);
    out.UnsignedLine(prefix, "].unk38 |", part.unk38);
    out.UnsignedLine(prefix, "].unk39 |", part.unk39);
    out.UnsignedLine(prefix, "].unk3A |", part.unk3A);
    out.UnsignedLine(prefix, "].unk3B |", part.unk3B);
    out.FloatLine(prefix, "].unk3C |", part.unk3C);
    out.UnsignedLine(prefix, "].unk40 |", part.unk40);
    out.UnsignedLine(prefix, "].unk44 |", part.unk44);
    if (forUndo) {
        out.RawBytesTwoDigitsLine(prefix, "].unk48_98 |", part.unk48_98, sizeof part.unk48_98);
    } else {
        out.RawBytesLine(prefix, "].unk48_98 |", part.unk48_98, sizeof part.unk48_98);
    }
    if (!WriteFormLine(out, prefix, "].item |", part.item, "KORFile of Blueprint item ", error)) return false;
    out.UnsignedLine(prefix, "].unkA0 |", part.unkA0);
    out.UnsignedLine(prefix, "].unkA4 |", part.unkA4);
    return true;
}

}  // namespace

bool WriteBlueprint(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::BlueprintComponent>(ship.form, "Blueprint_Component");
    if (component == nullptr) return true;
    out.UnsignedLine("Blueprint.unk08 |", "", component->unk08);
    out.TextLine("Blueprint.unk10 |", "", veltrane::FixedStringText(component->unk10));
    for (std::uint32_t i = 0; i < component->data.count; ++i) {
        if (!WritePart(out, IndexedKey("Blueprint.data[", i), component->data.data[i], ship.forUndo, error)) {
            return false;
        }
    }
    out.UnsignedLine("Blueprint.unk28 |", "", component->unk28);
    out.UnsignedLine("Blueprint.unk30 |", "", component->unk30);
    // The word right after unk30 goes by the name of unk34 in blueprints.
    out.UnsignedLine("Blueprint.unk34 |", "", component->unk38);
    out.UnsignedLine("Blueprint.unk3C |", "", component->unk3C);
    return true;
}

}  // namespace Corvanis
