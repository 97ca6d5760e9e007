// The game's data files and their lists, and the form type codes the
// plug-in tests.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts/GameObjects.h"

namespace veltrane {

struct FileList {
    FileRecord** files;  // entries may be empty or point to other objects
    std::uint32_t count;
};
static_assert(offsetof(FileList, count) == 8);

struct FileListTable {
    FileList* lists;
    std::uint32_t count;
};
static_assert(offsetof(FileListTable, count) == 8);

constexpr std::uint16_t kNoFileList = 0xFFFF;

struct FormTypeName {
    const char* name;
    std::uint32_t code;
};
static_assert(sizeof(FormTypeName) == 16);

// Form type codes the plug-in tests.
enum FormType : std::uint8_t {
    kFormTypeKeyword = 4,
    kFormTypePlaceable30 = 30,  // a placeable item type the game leaves unnamed
    kFormTypeArmor = 34,
    kFormTypeBook = 35,
    kFormTypeContainer = 36,
    kFormTypeMisc = 40,
    kFormTypePlaceable43 = 43,  // likewise
    kFormTypeMoveableStatic = 44,
    kFormTypeFurniture = 47,
    kFormTypeWeapon = 48,
    kFormTypeAmmo = 49,
    kFormTypeNPC = 50,
    kFormTypeKey = 53,
    kFormTypeIngestible = 54,
    kFormTypeTerminal = 62,
    kFormTypeGenericBaseForm = 65,
    kFormTypeCell = 73,
    kFormTypeObjectReference = 74,
    kFormTypeActorReference = 75,
    kFormTypeActorValueInfo = 109,
    kFormTypeVoiceType = 112,
    kFormTypeTraversal = 170,
};

}  // namespace veltrane
