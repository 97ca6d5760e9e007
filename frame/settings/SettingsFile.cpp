#include "frame/settings/SettingsFile.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "frame/settings/IniFile.h"
#include "platform/platform.h"

namespace Corvanis {

namespace {

constexpr std::array<const char*, 10> kSkipKeys = {
    "bSkipBOOK", "bSkipMISC", "bSkipFURN", "bSkipKEYM", "bSkipALCH",
    "bSkipMSTT", "bSkipCONT", "bSkipTERM", "bSkipARMO", "bSkipWEAP",
};

constexpr std::size_t kExport = offsetof(SettingsFlags, exportSettings);
constexpr std::size_t kImport = offsetof(SettingsFlags, importSettings);
constexpr std::size_t kExportSkips = kExport + offsetof(ExportSettings, skip);
constexpr std::size_t kImportSkips = kImport + offsetof(ImportSettings, skip);
static_assert(offsetof(ItemTypeSkips, bSkipWEAP) == kSkipKeys.size() - 1,
              "the skip keys feed the first flags of ItemTypeSkips in order");

// A key that is read back: where it lives and which byte of the record it
// feeds.
struct LoadedKey {
    const char* section;
    const char* key;
    std::size_t flag;
};

// Every loaded key in reading order.
constexpr std::array<LoadedKey, 26> kLoadedKeys = [] {
    std::array<LoadedKey, 26> keys{};
    std::size_t n = 0;
    keys[n++] = {"Piloting", "bNoPilotingSkillRequirement", offsetof(SettingsFlags, bNoPilotingSkillRequirement)};
    keys[n++] = {"Export", "bWorkshopItems", kExport + offsetof(ExportSettings, bWorkshopItems)};
    keys[n++] = {"Export", "bInventoryItemTypes", kExport + offsetof(ExportSettings, bInventoryItemTypes)};
    for (std::size_t i = 0; i < kSkipKeys.size(); ++i) keys[n++] = {"Export", kSkipKeys[i], kExportSkips + i};
    keys[n++] = {"Import", "bWorkshopItems", kImport + offsetof(ImportSettings, bWorkshopItems)};
    keys[n++] = {"Import", "bInventoryItemTypes", kImport + offsetof(ImportSettings, bInventoryItemTypes)};
    for (std::size_t i = 0; i < kSkipKeys.size(); ++i) keys[n++] = {"Import", kSkipKeys[i], kImportSkips + i};
    keys[n++] = {"Misc", "bAlwaysReloadSettingsOnCommand", offsetof(SettingsFlags, bAlwaysReloadSettingsOnCommand)};
    if (n != keys.size()) throw "every loaded key is listed once";
    return keys;
}();

struct DefaultKey {
    const char* section;
    const char* key;
    const char* value;
};

// A new file's keys in writing order, which gives the file its section
// order. Three of them are written for the player to see and never read.
constexpr std::array<DefaultKey, 25> kDefaultKeys = [] {
    std::array<DefaultKey, 25> keys{};
    std::size_t n = 0;
    keys[n++] = {"Piloting", "bNoPilotingSkillRequirement", "0"};
    keys[n++] = {"Export", "bRestrictDecorationExportToBuildModePlacedItems", "0"};
    for (const char* skip : kSkipKeys) keys[n++] = {"Export", skip, "0"};
    keys[n++] = {"Import", "bRestrictDecorationImportToBuildModePlacedItems", "1"};
    keys[n++] = {"Import", "bRemoveAlreadyPlacedDecorationItemsBeforeImport", "0"};
    for (const char* skip : kSkipKeys) keys[n++] = {"Import", skip, "0"};
    keys[n++] = {"Misc", "bAlwaysReloadSettingsOnCommand", "0"};
    if (n != keys.size()) throw "every default key is listed once";
    return keys;
}();

void ReadKeys(SettingsFlags& flags, const std::string& folder, platform::FileSystem& files) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(&flags);
    for (const LoadedKey& entry : kLoadedKeys) {
        const std::string text = ReadIniValue(kSettingsFileBaseName, entry.section, entry.key, folder, files);
        if (!text.empty()) bytes[entry.flag] = text == "1" ? 1 : 0;
    }
}

void WriteDefaultKeys(const std::string& folder, platform::FileSystem& files) {
    for (const DefaultKey& entry : kDefaultKeys) {
        WriteIniValue(kSettingsFileBaseName, entry.section, entry.key, entry.value, folder, files);
    }
}

}  // namespace

void LoadSettingsFile(SettingsFlags& flags, bool createIfMissing, const std::string& replacementFolder,
                      platform::FileSystem& files) {
    const auto path = IniPath(kSettingsFileBaseName, replacementFolder);
    if (!path) return;
    // Only a certain "not there" makes the file missing: whatever else stands
    // at the path is never written over.
    if (files.QueryPath(*path) != platform::PathKind::NotFound) {
        ReadKeys(flags, replacementFolder, files);
    } else if (createIfMissing) {
        WriteDefaultKeys(replacementFolder, files);
    }
}

}  // namespace Corvanis
