#pragma once

namespace Corvanis {

// The start-up that needs the game's forms and command tables, run once the
// loader reports that the game has loaded its data.
void OnDataLoaded();

}  // namespace Corvanis
