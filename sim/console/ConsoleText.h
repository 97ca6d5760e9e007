// How the game's own console commands name things in their one-line output,
// and how they find the form a player types (the same names a world file
// uses: "Veltrane.vmf:01A2B3", "@HomeShip", "#FF000815" or an editor ID).
#pragma once

#include <string>

#include "sim/world/World.h"

namespace sim {

// "00005627 SpaceshipCockpitPilotSeat", "FF000812 @HomeShip", "none".
std::string Label(const veltrane::Form* form);
std::string FloatText(float value);
std::string VectorText(const float* values);
std::string Quoted(const std::string& text);

// Null when nothing in the world answers to the text.
veltrane::Form* FindTypedForm(const World& world, const std::string& text);

}  // namespace sim
