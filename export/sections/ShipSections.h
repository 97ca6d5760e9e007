// The sections of a blueprint after its header, each written from one
// component of the ship's base form.
#pragma once

#include <span>
#include <string>

#include "export/BlueprintWriter.h"
#include "export/ExportErrorInfo.h"
#include "host/host.h"

namespace Corvanis {

struct ShipToExport {
    host::Form* reference;    // theShipRef
    host::Form* form;         // theShipForm, its generic base form
    std::string displayName;  // as the header shows it
    // Written for an undo, which must give back every value as the ship
    // holds it: a module's raw bytes with two digits each, so that they read
    // back, and as the displayed name only a name of the ship's own, empty
    // when it shows its base's.
    bool forUndo = false;
};

// Writes one section. An absent component writes nothing and the export goes
// on; false stops the export, with the reason in the error text.
using SectionWriter = bool (*)(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);

struct ShipSection {
    const char* phase;  // names the step in an error report
    SectionWriter write;
};

// Every section before the decoration items, in the order of the file.
std::span<const ShipSection> ShipSections();

}  // namespace Corvanis
