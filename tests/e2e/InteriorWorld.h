// Worlds and blueprints for interior import scenarios. The player stands
// aboard @Ship, in its interior @Deck, where the workshop @Workbench stands;
// the world has a base form of every item type a blueprint knows, from a
// full, an FE and an FD slot file, and bases the game places in odd ways.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/harness/Text.h"

namespace e2e {

struct InteriorWorld {
    // More references in @Deck, after the player and the workbench: JSON
    // objects with their "id".
    std::vector<std::string> deckItems;
    // More references in the exterior cell @Yard, after the ship.
    std::vector<std::string> yardItems;
    // More forms, cells and references (references in other cells are
    // listed by their cells).
    std::vector<std::string> forms;
    std::vector<std::string> cells;
    std::vector<std::string> references;
    // More members of "player" and "game", each starting with ", ".
    std::string playerMembers;
    std::string gameMembers;
    // Whether @Workbench stands on the deck.
    bool workbench = true;
    // The game's keyword globals, as world file values.
    std::string workshopKeyword = "\"WorkshopKeyword\"";
    std::string workshopItemKeyword = "\"WorkshopItemKeyword\"";
    // Whether @Deck is an interior cell.
    bool deckInterior = true;

    std::string Text() const;
};

// The line after a successful interior import into the ship of the given
// name: the command that undoes it with the ship's interior backup `number`.
std::string InteriorUndoLine(const std::string& shipName, int number = 1);

// A decoration item as the exporter writes it.
struct DecorItem {
    explicit DecorItem(std::string baseReference) : base(std::move(baseReference)) {}

    DecorItem& At(std::string axes) { return Set(position, std::move(axes)); }
    DecorItem& TurnedZ(std::string degrees) { return Set(rotationZ, std::move(degrees)); }
    DecorItem& Scaled(std::string factor) { return Set(scale, std::move(factor)); }
    DecorItem& Named(std::string text) { return Set(name, std::move(text)); }
    DecorItem& AsWorkshopItem() { return Set(workshop, true); }

    std::string base;                   // its form reference text, "0A3002|Veltrane.vmf"
    std::string position = "0.000000";  // on each of the three axes
    std::string rotationZ = "0.000000";
    std::string scale = "1.000000";  // empty: no scale line
    std::string name;                // empty: no name line
    bool workshop = false;

private:
    template <class T>
    DecorItem& Set(T& field, T value) {
        field = std::move(value);
        return *this;
    }
};

Lines DecorItemLines(std::size_t index, const DecorItem& item);

// A blueprint's bytes: header, empty line, the lines, each ending in CR LF.
std::string BlueprintText(const Lines& lines);

// Each item's lines in turn, numbered from 0.
std::string BlueprintOf(const std::vector<DecorItem>& items);

}  // namespace e2e
