#include "import/reading/LineReaders.h"

#include <cmath>
#include <exception>
#include <string>

#include "import/reading/NumberConversion.h"
#include "import/reading/internal/FastDecimals.h"

namespace Corvanis {

namespace {

constexpr auto kNone = std::string_view::npos;

// The text before the line's last '|' and what follows it.
struct LastBar {
    std::string_view before;
    std::string_view after;
    bool found;
};

LastBar SplitAtLastBar(std::string_view text) {
    const std::size_t bar = text.rfind('|');
    if (bar == kNone) return {text, {}, false};
    return {text.substr(0, bar), text.substr(bar + 1), true};
}

// The two texts of a form reference at the end of a line.
struct FormReferenceText {
    std::string_view idText;
    std::string_view fileName;
};

// No data file's name begins or ends with a blank, so blanks there are a
// hand edit's, invisible on the console.
std::string_view WithoutBlanksAround(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    return name;
}

FormReferenceText SplitFormReference(std::string_view text) {
    const LastBar last = SplitAtLastBar(text);
    const LastBar previous = SplitAtLastBar(last.before);
    return {last.found && previous.found ? previous.after : std::string_view(), WithoutBlanksAround(last.after)};
}

// Whether the text holds "inf" or "nan", in one pass: asked of every number.
bool HoldsInfOrNan(std::string_view text) {
    for (std::size_t at = 0; at + 3 <= text.size(); ++at) {
        const char* c = text.data() + at;
        if ((c[0] == 'i' && c[1] == 'n' && c[2] == 'f') || (c[0] == 'n' && c[1] == 'a' && c[2] == 'n')) return true;
    }
    return false;
}

// The family's rules around one conversion routine.
template <class Number, class Convert>
bool ParseValue(std::string_view text, Number& value, Convert convert) {
    if (text.empty()) return false;
    if (HoldsInfOrNan(text)) {
        value = 0;
        return false;
    }
    Number converted{};
    if (convert(text, converted).status != ConversionStatus::Converted) return false;
    value = converted;
    return true;
}

std::int32_t IndexBetween(std::string_view key, std::size_t open, std::size_t close) {
    const std::size_t start = open == kNone ? 0 : open + 1;
    if (close == kNone || close <= start) return -1;
    return ParseElementIndex(key.substr(start, close - start));
}

}  // namespace

std::string_view GetLineValue(const BlueprintLine& line) { return line.ValuePart(); }

std::string_view GetFormIDText(const BlueprintLine& line) { return SplitFormReference(line.Text()).idText; }

std::string_view GetFormFileName(const BlueprintLine& line) { return SplitFormReference(line.Text()).fileName; }

std::uint32_t ParseHexFormID(std::string_view text) {
    std::uint32_t formID = 0;
    if (ConvertUnsignedLong(text, 16, formID).status != ConversionStatus::Converted) return 0;
    return formID;
}

bool ParseLineFloat(const BlueprintLine& line, float& value) {
    // Digits and a point hold no "inf" or "nan".
    if (ConvertPlainDecimal(line.ValuePart(), value)) return true;
    return ParseValue(line.ValuePart(), value, ConvertFloat);
}

bool ParseLineFiniteFloat(const BlueprintLine& line, float& value) {
    // A plain decimal is finite: most values end here, one call deep.
    if (ConvertPlainDecimal(line.ValuePart(), value)) return true;
    float read = 0.0f;
    if (!ParseValue(line.ValuePart(), read, ConvertFloat) || !std::isfinite(read)) return false;
    value = read;
    return true;
}

bool ParseLineInt32(const BlueprintLine& line, std::int32_t& value) {
    return ParseValue(line.ValuePart(), value,
                      [](std::string_view text, std::int32_t& number) { return ConvertLong(text, 10, number); });
}

bool ParseLineUInt32(const BlueprintLine& line, std::uint32_t& value) {
    return ParseValue(line.ValuePart(), value,
                      [](std::string_view text, std::uint32_t& number) { return ConvertUnsignedLong(text, 10, number); });
}

bool ParseLineUInt64(const BlueprintLine& line, std::uint64_t& value) {
    return ParseValue(line.ValuePart(), value,
                      [](std::string_view text, std::uint64_t& number) { return ConvertUnsignedLongLong(text, 10, number); });
}

bool ParseVersionValue(const BlueprintLine& line, float& value) {
    const std::string_view text = line.Text();
    const std::size_t colon = text.rfind(':');
    const std::string_view after = colon == kNone ? std::string_view() : text.substr(colon + 1);
    try {
        std::string version;
        version.reserve(after.size());
        for (const char c : after) {
            if (c != ' ') version += c;
        }
        return ParseValue(std::string_view(version), value, ConvertFloat);
    } catch (const std::exception&) {
        return false;
    }
}

std::int32_t ParseElementIndex(std::string_view digits) {
    std::int32_t index = 0;
    if (ConvertLong(digits, 10, index).status != ConversionStatus::Converted) return -1;
    return index;
}

std::int32_t GetLineIndex(const BlueprintLine& line) {
    const std::string_view key = line.KeyPart();
    return IndexBetween(key, key.find('['), key.find(']'));
}

std::int32_t GetLineInnerIndex(const BlueprintLine& line) {
    const std::string_view key = line.KeyPart();
    return IndexBetween(key, key.rfind('['), key.rfind(']'));
}

veltrane::Form* ResolveFormReference(const BlueprintLine& line, FormResolver& resolver) {
    // Both texts from one search for the last two bars, not one for each.
    const auto [idText, fileName] = SplitFormReference(line.Text());
    // A name with a zero byte is no data file's name; the game would see it
    // cut short at that byte.
    if (idText.empty() || fileName.empty() || fileName.find('\0') != kNone) return nullptr;
    const std::uint32_t localFormID = ParseHexFormID(idText);
    if (localFormID == 0) return nullptr;
    try {
        return resolver.LookupForm(fileName, localFormID);
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace Corvanis
