#include "sim/worldfile/Json.h"

#include <charconv>
#include <cmath>
#include <set>
#include <vector>

namespace sim {

namespace {

// Tracks where the parser is, so a repeated key can be named with its path.
class KeyChecker {
public:
    struct Duplicate {
        std::string path;
    };

    bool operator()(int, nlohmann::detail::parse_event_t event, Json& parsed) {
        using Event = nlohmann::detail::parse_event_t;
        switch (event) {
            case Event::object_start:
                ValueStarts();
                frames_.push_back({true, {}, {}, -1});
                break;
            case Event::array_start:
                ValueStarts();
                frames_.push_back({false, {}, {}, -1});
                break;
            case Event::object_end:
            case Event::array_end:
                frames_.pop_back();
                break;
            case Event::key: {
                Frame& frame = frames_.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second) throw Duplicate{Path()};
                break;
            }
            case Event::value:
                ValueStarts();
                break;
        }
        return true;
    }

private:
    struct Frame {
        bool object;
        std::set<std::string> keys;
        std::string key;
        long index;
    };

    void ValueStarts() {
        if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
    }

    std::string Path() const {
        std::string path;
        for (const Frame& frame : frames_) {
            if (frame.object) {
                if (!path.empty()) path += '.';
                path += frame.key;
            } else {
                path += '[' + std::to_string(frame.index) + ']';
            }
        }
        return path;
    }

    std::vector<Frame> frames_;
};

std::string Quote(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c < 0x20) {
            switch (c) {
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
            }
            ++i;
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        // A well-formed UTF-8 sequence is copied; a stray byte cannot be said
        // in JSON and becomes U+FFFD.
        std::size_t length = 0;
        if (c >= 0xC2 && c <= 0xDF) length = 2;
        if (c >= 0xE0 && c <= 0xEF) length = 3;
        if (c >= 0xF0 && c <= 0xF4) length = 4;
        bool wellFormed = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (wellFormed && length == 3) {
            const auto c1 = static_cast<unsigned char>(text[i + 1]);
            wellFormed = !(c == 0xE0 && c1 < 0xA0) && !(c == 0xED && c1 >= 0xA0);
        }
        if (wellFormed && length == 4) {
            const auto c1 = static_cast<unsigned char>(text[i + 1]);
            wellFormed = !(c == 0xF0 && c1 < 0x90) && !(c == 0xF4 && c1 >= 0x90);
        }
        if (wellFormed) {
            out.append(text, i, length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    out += '"';
    return out;
}

bool IsPlain(const Json& value) { return !value.is_object() && !value.is_array(); }

void Write(const Json& value, int indent, std::string& out);

void WriteScalar(const Json& value, std::string& out) {
    switch (value.type()) {
        case Json::value_t::null: out += "null"; break;
        case Json::value_t::boolean: out += value.get<bool>() ? "true" : "false"; break;
        case Json::value_t::number_integer: out += std::to_string(value.get<std::int64_t>()); break;
        case Json::value_t::number_unsigned: out += std::to_string(value.get<std::uint64_t>()); break;
        case Json::value_t::number_float: out += FormatFloat(value.get<float>()); break;
        case Json::value_t::string: out += Quote(value.get_ref<const std::string&>()); break;
        default: out += "null"; break;
    }
}

void Write(const Json& value, int indent, std::string& out) {
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    const std::string outer(static_cast<std::size_t>(indent), ' ');
    if (value.is_object()) {
        if (value.empty()) {
            out += "{}";
            return;
        }
        bool allPlain = true;
        for (const auto& member : value.items()) allPlain = allPlain && IsPlain(member.value());
        if (allPlain) {
            std::string line = "{";
            bool first = true;
            for (const auto& member : value.items()) {
                if (!first) line += ", ";
                first = false;
                line += Quote(member.key()) + ": ";
                WriteScalar(member.value(), line);
            }
            line += "}";
            if (line.size() + static_cast<std::size_t>(indent) <= 120) {
                out += line;
                return;
            }
        }
        out += "{\n";
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            if (!first) out += ",\n";
            first = false;
            out += inner + Quote(key) + ": ";
            Write(member, indent + 2, out);
        }
        out += "\n" + outer + "}";
        return;
    }
    if (value.is_array()) {
        if (value.empty()) {
            out += "[]";
            return;
        }
        bool allPlain = true;
        for (const Json& element : value) allPlain = allPlain && IsPlain(element);
        if (allPlain) {
            std::string line = "[";
            for (std::size_t i = 0; i < value.size(); ++i) {
                if (i > 0) line += ", ";
                WriteScalar(value[i], line);
            }
            line += "]";
            if (line.size() + static_cast<std::size_t>(indent) <= 120) {
                out += line;
                return;
            }
        }
        out += "[\n";
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0) out += ",\n";
            out += inner;
            Write(value[i], indent + 2, out);
        }
        out += "\n" + outer + "]";
        return;
    }
    WriteScalar(value, out);
}

}  // namespace

std::optional<Json> ParseJsonText(std::string_view text, std::string& error) {
    try {
        return Json::parse(text.begin(), text.end(), KeyChecker());
    } catch (const KeyChecker::Duplicate& duplicate) {
        error = duplicate.path + ": the key is given twice";
    } catch (const std::exception& problem) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ...": the
        // bracketed name helps nobody who edits a world file.
        const std::string what = problem.what();
        const std::size_t start = what.rfind("] ", what.find(' '));
        error = what.rfind("[json.exception.", 0) == 0 && start != std::string::npos ? what.substr(start + 2) : what;
    }
    return std::nullopt;
}

std::string SerializeJson(const Json& value) {
    std::string out;
    Write(value, 0, out);
    out += '\n';
    return out;
}

std::string FormatFloat(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

Json FloatToJson(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    return value;
}

}  // namespace sim
