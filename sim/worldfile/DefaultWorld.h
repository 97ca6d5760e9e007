// The world the game starts with when no world file is given.
#pragma once

#include <string>

namespace sim {

const std::string& DefaultWorldText();

}  // namespace sim
