// The settings file Corvanis.ini: which key feeds which flag, and the keys a
// new file starts with.
#pragma once

#include <string>

#include "frame/settings/Settings.h"
#include "platform/platform.h"

namespace Corvanis {

inline constexpr const char* kSettingsFileBaseName = "Corvanis";

// Reads the file in `replacementFolder` (the default folder when empty) into
// `flags`: a key that reads empty keeps its flag, any other text turns the
// flag on exactly when it is "1". Anything at all at the file's path counts
// as present, and a path the system cannot answer for is neither read nor
// written. Without a file and with `createIfMissing`, writes the default
// keys and leaves `flags` as they are.
void LoadSettingsFile(SettingsFlags& flags, bool createIfMissing, const std::string& replacementFolder,
                      platform::FileSystem& files = platform::SystemFiles());

}  // namespace Corvanis
