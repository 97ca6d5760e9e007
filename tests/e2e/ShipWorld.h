// Small worlds for export scenarios: the forms the exporter needs, a load
// order with a full, an FE and an FD slot file, and ships whose components
// and interiors the test gives. The player stands in the first ship.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct TestShip {
    explicit TestShip(std::string shipName) : name(std::move(shipName)) {}

    TestShip& WithComponents(std::string json) { return Set(components, std::move(json)); }
    TestShip& WithItems(std::vector<std::string> json) { return Set(items, std::move(json)); }
    TestShip& WithBaseType(std::string code) { return Set(baseType, std::move(code)); }
    TestShip& WithBase(std::string id) { return Set(baseID, std::move(id)); }
    TestShip& WithBaseMembers(std::string json) { return Set(baseMembers, std::move(json)); }
    TestShip& WithReferenceMembers(std::string json) { return Set(referenceMembers, std::move(json)); }
    TestShip& WithExteriorInterior(std::string cellMembers) {
        interior = false;
        return Set(interiorMembers, std::move(cellMembers));
    }

    std::string name;                // "@<name>" in the world, and its base's name "Ship<name>"
    std::string components = "{}";  // the base form's components, a JSON object
    std::vector<std::string> items;  // references in the interior, JSON objects
    std::string baseType = "65";
    std::string baseID;            // default: a form of Veltrane.vmf; "none" for a ship without base
    std::string baseMembers;       // more members of the base form, each starting with ", "
    std::string referenceMembers;  // more members of the ship reference, each starting with ", "
    bool interior = true;          // whether its interior cell is an interior
    std::string interiorMembers;   // more members of the interior cell

private:
    template <class T>
    TestShip& Set(T& field, T value) {
        field = std::move(value);
        return *this;
    }
};

class ShipWorld {
public:
    ShipWorld& Form(std::string json);
    ShipWorld& Ship(TestShip ship);
    // Leaves out one of the game's keywords (by editor ID), and the game's
    // pointer to it.
    ShipWorld& WithoutKeyword(const std::string& editorID);

    std::string Text() const;

private:
    bool Dropped(const std::string& editorID) const;

    std::vector<std::string> forms_;
    std::vector<TestShip> ships_;
    std::vector<std::string> dropped_;
};

}  // namespace e2e
