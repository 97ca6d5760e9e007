#include "export/BlueprintValues.h"

#include <charconv>
#include <cmath>

#include "forms/HexText.h"

namespace Corvanis {

namespace {

// The longest fixed text of a float: sign, 39 integer digits, point, six
// decimals.
constexpr std::size_t kFloatTextCapacity = 64;

const char* NonFiniteText(float value) {
    if (std::isinf(value)) return std::signbit(value) ? "-inf" : "inf";
    return std::signbit(value) ? "-nan" : "nan";
}

}  // namespace

void AppendFloatValue(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += NonFiniteText(value);
        return;
    }
    char text[kFloatTextCapacity];
    const auto written = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, 6);
    out.append(text, written.ptr);
}

void AppendUnsignedValue(std::string& out, std::uint64_t value) {
    char text[24];
    const auto written = std::to_chars(text, text + sizeof text, value);
    out.append(text, written.ptr);
}

void AppendSignedValue(std::string& out, std::int64_t value) {
    char text[24];
    const auto written = std::to_chars(text, text + sizeof text, value);
    out.append(text, written.ptr);
}

void AppendTextValue(std::string& out, const char* text) {
    if (text == nullptr) return;
    const std::size_t start = out.size();
    out += text;
    for (std::size_t i = start; i < out.size(); ++i) {
        if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
    }
}

void AppendRawBytesValue(std::string& out, const std::uint8_t* bytes, std::size_t count) {
    char text[16];
    for (std::size_t i = 0; i < count; ++i) out.append(text, WriteHexText(bytes[i], text));
}

void AppendItemExtraValue(std::string& out, const void* itemExtra) {
    if (itemExtra == nullptr) {
        out += '?';
        return;
    }
    char text[16];
    out.append(text, WriteHexText(reinterpret_cast<std::uintptr_t>(itemExtra), text));
}

}  // namespace Corvanis
