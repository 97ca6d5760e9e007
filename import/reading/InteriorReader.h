// The interior reader: the decoration items of a blueprint, read one line at
// a time. It says of each line whether it read it, whether the line is none
// of its business, or why it refuses it; the interior import stops at the
// first refusal, a checking tool goes on and collects them all. It knows
// nothing of the game: forms come through the resolver.
//
// A decoration line has "DecorItem[" in its key part. Its field is the first
// of ".base", ".fPosX", ".fPosY", ".fPosZ", ".fRotX", ".fRotY", ".fRotZ",
// ".fScale", ".overrideName", ".bWorkshopItem" that its key part holds; a
// decoration line with none of them is not read. Keys and indices come from
// the key part only (BlueprintLine), so an item's name never acts as a key.
//
// Items are numbered 0, 1, 2 ... in the order of their ".base" lines: a
// ".base" line makes the next item or replaces the base of one made before,
// and an item's other lines must come after its ".base" line.
//
// The reader also notes a backup's header line and the items an interior
// backup says its import placed (format/BackupLines.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/layouts/GameObjects.h"
#include "import/ImportErrorInfo.h"
#include "import/reading/BlueprintLine.h"
#include "import/reading/FormResolver.h"
#include "import/reading/LineVerdict.h"
#include "import/reading/ReadingNotes.h"

namespace Corvanis {

// One decoration item as a blueprint lists it.
struct DecorItemRecord {
    veltrane::Form* base = nullptr;  // the bound object to place
    float fPosX = 0.0f;              // the game's world units
    float fPosY = 0.0f;
    float fPosZ = 0.0f;
    float fRotX = 0.0f;  // degrees
    float fRotY = 0.0f;
    float fRotZ = 0.0f;
    float fScale = 0.0f;  // 1.0 is the normal size
    std::string overrideName;
    bool bWorkshopItem = false;
};

// An item that the import which saved an interior backup placed.
struct PlacedReference {
    std::uint32_t formID;            // the reference's
    veltrane::Form* base = nullptr;  // its base object
};

class InteriorReader {
public:
    // The reader appends to and fills `items`, which must outlive it, and
    // notes what the game reads differently from what a line says in
    // `notes`, when given.
    InteriorReader(FormResolver& forms, std::vector<DecorItemRecord>& items, ReadingNotes* notes = nullptr)
        : forms_(forms), items_(items), notes_(notes) {}

    // Reads the line into the items. A refused line sets the error's phase,
    // "importing DecorItem|fPosX at " + the line, and leaves its extra error
    // text empty, as the import reports a refused line; RefusalReason() says
    // why in a few words. The error is left alone otherwise. After a refusal
    // the reader goes on as well as it can: a ".base" line refused for its
    // form still makes the item its index names, so that the item's other
    // lines are judged on their own.
    LineVerdict ReadLine(const BlueprintLine& line, ImportErrorInfo& error);

    // Notes each item without a line of its position, rotation or scale,
    // once, after the last line; the lines read must still be alive.
    void Finish();

    // Why the last refused line was refused, as "the value is not a number".
    const char* RefusalReason() const { return refusalReason_; }

    // What the blueprint's backup line says it is a backup of.
    BackupKind Backup() const { return backup_; }
    const std::vector<PlacedReference>& PlacedByImport() const { return placedByImport_; }

private:
    // `index` is the line's index, as GetLineIndex reads it.
    LineVerdict ReadField(int field, std::int32_t index, const BlueprintLine& line);
    LineVerdict ReadBase(std::int32_t index, const BlueprintLine& line);
    LineVerdict Refuse(const char* reason);
    LineVerdict ReadPlacedByImport(const BlueprintLine& line);
    // The item the index names, or null when there is none.
    DecorItemRecord* IndexedItem(std::int32_t index);

    // The lines of an item that a note names and the fields it has lines of.
    struct ItemLines {
        BlueprintLine base;
        std::uint16_t fields = 0;  // a bit for each field, by its key
    };
    void Seen(std::int32_t index, int field, const BlueprintLine& line);

    FormResolver& forms_;
    std::vector<DecorItemRecord>& items_;
    ReadingNotes* notes_;
    std::vector<ItemLines> itemLines_;
    const char* refusalReason_ = "";
    BackupKind backup_ = BackupKind::None;
    std::vector<PlacedReference> placedByImport_;
};

}  // namespace Corvanis
