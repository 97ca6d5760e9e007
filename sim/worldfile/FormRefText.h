// How a world file names a form:
//   "Veltrane.vmf:01A2B3"  the form with that file-local ID in that file,
//                          whatever ID the load order gives it;
//   "@HomeShip"            a run-time form by a name of the world's own;
//   "#FF000815"            a form by its run-time ID;
//   anything else          the form with that editor ID.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/world/World.h"

namespace sim {

struct FormRefText {
    enum class Kind { FileLocal, WorldName, FormID, EditorID };
    Kind kind = Kind::EditorID;
    std::string text;  // file name, world name (with '@') or editor ID
    std::uint32_t number = 0;  // local ID or form ID
};

// None for text that fits no form of reference (empty, "@" alone, bad hex).
std::optional<FormRefText> ParseFormRefText(std::string_view text);

// The file that defines a form from a data file: the one its ID points into.
// None for run-time forms and for IDs no loaded file holds.
const veltrane::FileRecord* DefiningFile(const World& world, const veltrane::Form& form);

// The canonical name a dump uses: file and local ID for forms from data
// files, the world name or the run-time ID for others.
std::string FormatFormRef(const World& world, const veltrane::Form& form);

std::string HexID(std::uint32_t value, int digits);

}  // namespace sim
