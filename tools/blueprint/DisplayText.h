// Blueprint bytes as text for people and for formats that must be UTF-8
// (JSON, SVG). A blueprint holds the game's bytes as they were: mostly UTF-8,
// but a name may come in the Windows code page the game ran in.
#pragma once

#include <string>
#include <string_view>

namespace blueprint_tool {

// The bytes as UTF-8: valid UTF-8 sequences stay as they are, every other
// byte is read as Windows-1252, and control characters that XML 1.0 does not
// allow become U+FFFD.
std::string DisplayText(std::string_view bytes);

// Text for an XML document: DisplayText with &, <, > and quotes escaped.
std::string XmlText(std::string_view bytes);

}  // namespace blueprint_tool
