// World files are JSON. Objects keep their keys in file order, and numbers
// with a fraction are read straight into 32-bit floats (every float the game
// holds is one), so a float read back from a dump has the same bits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace sim {

using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

// None, with the reason in `error`, for text that is not JSON or that gives
// one key twice in an object.
std::optional<Json> ParseJsonText(std::string_view text, std::string& error);

// Two-space indented text with a final line end; arrays and objects of plain
// values stay on one line while they are short.
std::string SerializeJson(const Json& value);

// The shortest text that reads back as the same float, always with a '.' or
// an exponent so that it is read as a float again ("1.0", "-0.0", "1e+07").
std::string FormatFloat(float value);

// A float as a world file holds it: a number, or "inf", "-inf", "nan".
Json FloatToJson(float value);

}  // namespace sim
