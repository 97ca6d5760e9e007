// Reading the decoration items of a blueprint, one line at a time, apart
// from any game: forms are found through a FormResolver. The interior import
// reads a blueprint with it and stops at the first refused line; a tool can
// read every line and collect every refusal.
//
// A decoration line has "DecorItem[" in its key part. Its field is the first
// of ".base", ".fPosX", ".fPosY", ".fPosZ", ".fRotX", ".fRotY", ".fRotZ",
// ".fScale", ".overrideName", ".bWorkshopItem" that its key part holds; a
// decoration line with none of them is not read. Keys and indices come from
// the key part only, so an item's name never acts as a key.
//
// Items are numbered 0, 1, 2 ... in the order of their ".base" lines: a
// ".base" line makes the next item or replaces the base of one made before,
// and an item's other lines must come after its ".base" line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/layouts.h"
#include "import/reading/BlueprintLine.h"
#include "import/reading/BlueprintLines.h"
#include "import/reading/FormResolver.h"

namespace Corvanis {

// One decoration item as a blueprint lists it.
struct DecorItemRecord {
    veltrane::Form* base = nullptr;  // the bound object to place
    float fPosX = 0.0f;              // the game's world units
    float fPosY = 0.0f;
    float fPosZ = 0.0f;
    float fRotX = 0.0f;              // degrees
    float fRotY = 0.0f;
    float fRotZ = 0.0f;
    float fScale = 0.0f;             // 1.0 is the normal size
    std::string overrideName;
    bool bWorkshopItem = false;
};

// The fields of a decoration line, in the order a line's key part is
// searched for them.
enum class DecorItemKey { Base, PosX, PosY, PosZ, RotX, RotY, RotZ, Scale, OverrideName, WorkshopItem };

enum class DecorLineVerdict {
    Skipped,   // not a decoration line, or one without a field: nothing to read
    Accepted,  // read into the items
    Refused,   // the blueprint must not be imported
    Dropped,   // handling it raised an exception; reading goes on without it
};

struct DecorLineResult {
    DecorLineVerdict verdict = DecorLineVerdict::Skipped;
    // The field, when the line is a decoration line that has one.
    DecorItemKey key = DecorItemKey::Base;
    bool hasKey = false;
    // Why a line was refused or dropped, in a few words; empty otherwise.
    // The import does not print it (its report names the line); a tool may.
    const char* reason = "";
};

// What the import's report says it was doing when the line stopped it:
// "importing DecorItem|fPosX at " + the line, or "importing DecorItem at "
// + the line for a decoration line without a field.
std::string DecorLinePhase(const BlueprintLine& line, const DecorLineResult& result);

class InteriorReader {
public:
    explicit InteriorReader(FormResolver& forms) : forms_(forms) {}

    // Reads one line of the blueprint. After a refused line the reader goes
    // on as well as it can: a ".base" line refused for its form still makes
    // the item its index names, so that the item's other lines are judged on
    // their own.
    DecorLineResult ReadLine(const BlueprintLine& line);

    const std::vector<DecorItemRecord>& Items() const { return items_; }
    std::vector<DecorItemRecord> TakeItems() { return std::move(items_); }

private:
    DecorLineResult ReadField(const BlueprintLine& line, DecorItemKey key);
    DecorLineResult ReadBase(const BlueprintLine& line);
    // The item the line's index names, or null when no item has that index.
    DecorItemRecord* IndexedItem(const BlueprintLine& line);

    FormResolver& forms_;
    std::vector<DecorItemRecord> items_;
};

// The decoration items of a whole blueprint, read until the first refused
// line. True when no line was refused; otherwise `refusedPhase` names the
// refused line as DecorLinePhase does, and `items` holds what was read
// before it.
bool ReadDecorItems(const BlueprintLines& lines, FormResolver& forms, std::vector<DecorItemRecord>& items,
                    std::string& refusedPhase);

}  // namespace Corvanis
