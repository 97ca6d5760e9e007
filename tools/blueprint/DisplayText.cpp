#include "tools/blueprint/DisplayText.h"

#include <cstdint>

namespace blueprint_tool {

namespace {

// Windows-1252's characters for the bytes 0x80 to 0x9F; 0 where it has none.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the valid UTF-8 sequence of more than one byte that starts
// at `at`, or 0 when there is none (overlong forms, surrogates and values
// beyond U+10FFFF are not valid).
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[at + i]); };
    const auto continuation = [&](std::size_t i) { return at + i < bytes.size() && (byte(i) & 0xC0) == 0x80; };
    const std::uint8_t lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2)) return 0;
        if (lead == 0xE0 && byte(1) < 0xA0) return 0;
        if (lead == 0xED && byte(1) >= 0xA0) return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
        if (lead == 0xF0 && byte(1) < 0x90) return 0;
        if (lead == 0xF4 && byte(1) >= 0x90) return 0;
        return 4;
    }
    return 0;
}

char32_t FromWindows1252(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char32_t c = kWindows1252High[byte - 0x80];
        return c != 0 ? c : kReplacement;
    }
    return byte;
}

bool AllowedInXml(std::uint8_t byte) { return byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r'; }

}  // namespace

std::string DisplayText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<std::uint8_t>(bytes[at]);
        if (byte < 0x80) {
            if (AllowedInXml(byte)) {
                out += static_cast<char>(byte);
            } else {
                AppendUtf8(out, kReplacement);
            }
            ++at;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length != 0) {
            out.append(bytes.substr(at, length));
            at += length;
        } else {
            AppendUtf8(out, FromWindows1252(byte));
            ++at;
        }
    }
    return out;
}

std::string XmlText(std::string_view bytes) {
    const std::string text = DisplayText(bytes);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace blueprint_tool
