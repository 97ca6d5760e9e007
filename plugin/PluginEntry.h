// The function the loader calls once it has read the version record.
#pragma once

#include "frame/startup/SymbolExport.h"
#include "host/loader_interface.h"

extern "C" {
CORVANIS_EXPORT bool ORBXPlugin_Load(const orbx::LoadInterface* loader);
}
