// Game objects the plug-in only asks about, and the head every game object
// begins with. Forms, references and cells are all forms; the plug-in never
// looks inside them.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veltrane {

struct Form;
struct FileRecord;
struct ExtraDataList;
struct EventSource;

// Every game object, forms and cells included, begins with its class
// identity: the address of its class's table inside the game module. A cell's
// tells which of the game's cell classes the object belongs to.
struct ObjectHead {
    const void* classIdentity;
};
static_assert(sizeof(ObjectHead) == 8);
static_assert(offsetof(ObjectHead, classIdentity) == 0);

}  // namespace veltrane
