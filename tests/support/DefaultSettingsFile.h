// What the plug-in writes into a new settings file, byte for byte: what
// players find after their first start.
#pragma once

namespace corvanis_test {

inline constexpr const char* kDefaultSettingsFile =
    "[Piloting]\r\nbNoPilotingSkillRequirement=0\r\n"
    "[Export]\r\nbRestrictDecorationExportToBuildModePlacedItems=0\r\n"
    "bSkipBOOK=0\r\nbSkipMISC=0\r\nbSkipFURN=0\r\nbSkipKEYM=0\r\nbSkipALCH=0\r\n"
    "bSkipMSTT=0\r\nbSkipCONT=0\r\nbSkipTERM=0\r\nbSkipARMO=0\r\nbSkipWEAP=0\r\n"
    "[Import]\r\nbRestrictDecorationImportToBuildModePlacedItems=1\r\n"
    "bRemoveAlreadyPlacedDecorationItemsBeforeImport=0\r\n"
    "bSkipBOOK=0\r\nbSkipMISC=0\r\nbSkipFURN=0\r\nbSkipKEYM=0\r\nbSkipALCH=0\r\n"
    "bSkipMSTT=0\r\nbSkipCONT=0\r\nbSkipTERM=0\r\nbSkipARMO=0\r\nbSkipWEAP=0\r\n"
    "[Misc]\r\nbAlwaysReloadSettingsOnCommand=0\r\n";

}  // namespace corvanis_test
