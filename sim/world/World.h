// One world: the data files in load order, every form, cell and reference,
// the player, and the game's own settings that a world file gives. The world
// owns all of it; replacing the world releases it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "sim/memory/WorldMemory.h"
#include "sim/world/CellManager.h"
#include "sim/world/FileLists.h"
#include "sim/world/Records.h"

namespace sim {

struct PlayerInfo {
    veltrane::Form* reference = nullptr;  // null: there is no player character
    veltrane::Form* homeShip = nullptr;
    veltrane::Form* shipReference = nullptr;  // the actor's ship, which the game keeps apart
    std::vector<std::uint32_t> associatedCellIDs;
};

// Ends a form the world made: one on the heap is deleted, one in the world's
// memory only destroyed (its memory goes with the world's).
struct FormRelease {
    bool inWorldMemory = false;
    void operator()(veltrane::Form* form) const;
};
using FormHandle = std::unique_ptr<veltrane::Form, FormRelease>;

class World {
public:
    World() = default;
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // --- Data files ------------------------------------------------------------
    veltrane::FileRecord* AddFile(std::unique_ptr<veltrane::FileRecord> file);
    // By name, compared without regard to letter case as the game does.
    veltrane::FileRecord* FindFile(std::string_view name) const;
    bool IsFileRecord(const void* object) const { return fileSet_.count(object) != 0; }
    const std::vector<std::unique_ptr<veltrane::FileRecord>>& Files() const { return files_; }

    FileLists& Lists() { return fileLists_; }
    const FileLists& Lists() const { return fileLists_; }

    // --- Forms ---------------------------------------------------------------------
    // A new plain form or reference, on the heap, with its class identity.
    FormHandle MakeForm(FormKind kind);
    // A new cell in the world's memory at the place, each after the one made
    // before it. Null, with `problem`, when that memory cannot be had.
    FormHandle MakeCell(MemoryPlace place, const void* classIdentity, std::string& problem);
    // Takes the form and indexes it by ID and world name; the caller has made
    // sure neither is taken.
    veltrane::Form* AddForm(FormHandle form);
    // Removed references are not found.
    veltrane::Form* Lookup(std::uint32_t formID) const;
    // Includes removed references.
    veltrane::Form* LookupAny(std::uint32_t formID) const;
    veltrane::Form* LookupByWorldName(const std::string& name) const;
    // The form with the file-local ID inside the named loaded file, under this
    // load order.
    veltrane::Form* LookupInFile(std::string_view fileName, std::uint32_t localID) const;

    // In the order they were made, per kind.
    const std::vector<veltrane::Form*>& FormsOfKind(FormKind kind) const;

    // --- Extra data, run-time IDs, handles -----------------------------------------
    veltrane::ExtraDataList* NewExtraData();
    // The next free run-time form ID, or 0 when they are used up.
    std::uint32_t TakeRuntimeFormID();
    std::uint32_t NextRuntimeFormID() const { return nextRuntimeFormID_; }
    void SetNextRuntimeFormID(std::uint32_t formID) { nextRuntimeFormID_ = formID; }

    std::uint32_t HandleFor(veltrane::Form* reference);
    veltrane::Form* ReferenceForHandle(std::uint32_t handle) const;

    // --- Player and the game's settings ----------------------------------------------
    PlayerInfo player;
    std::uintptr_t pilotingRequirement = 0;
    // None while the game has no cell manager.
    std::optional<StagedCellManager> cellManager;

    // Where cells and the cell manager lie.
    WorldMemory& Memory() { return memory_; }

private:
    // Declared before the forms so that it outlives them: cells lie in it.
    WorldMemory memory_;
    std::vector<std::unique_ptr<veltrane::FileRecord>> files_;
    std::unordered_set<const void*> fileSet_;
    FileLists fileLists_;
    std::vector<FormHandle> ownedForms_;
    std::vector<veltrane::Form*> plainForms_;
    std::vector<veltrane::Form*> cells_;
    std::vector<veltrane::Form*> references_;
    std::unordered_map<std::uint32_t, veltrane::Form*> byID_;
    std::unordered_map<std::string, veltrane::Form*> byWorldName_;
    std::vector<std::unique_ptr<veltrane::ExtraDataList>> extras_;
    std::uint32_t nextRuntimeFormID_ = kFirstRuntimeFormID;
    std::vector<veltrane::Form*> handles_;  // handle n is handles_[n - 1]
};

}  // namespace sim
