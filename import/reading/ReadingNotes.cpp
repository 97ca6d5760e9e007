#include "import/reading/ReadingNotes.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "import/reading/LineReaders.h"
#include "import/reading/NumberConversion.h"
#include "import/reading/NumberScan.h"
#include "import/reading/internal/FastDecimals.h"

namespace Corvanis {

namespace {

bool AllBlanks(std::string_view text) {
    for (const char c : text) {
        if (!IsCBlank(c)) return false;
    }
    return true;
}

// The part of the text a conversion read, without the blanks before it.
std::string_view ReadPart(std::string_view text, std::size_t length) {
    text = text.substr(0, length);
    while (!text.empty() && IsCBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string FloatText(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

// As a blueprint writes a form ID: upper case, at least six digits.
std::string FormIDText(std::uint32_t formID) {
    char digits[8];
    const auto written = std::to_chars(digits, digits + sizeof digits, formID, 16);
    std::string text(digits, written.ptr);
    for (char& c : text) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
    return text;
}

struct KindText {
    const char* one;
    const char* many;
};

// What each kind's warning says before it names its first note.
constexpr std::array<KindText, 4> kKindTexts{{
    {"1 line holds a number followed by other text, read as far as the number goes",
     " lines hold a number followed by other text, read as far as the number goes"},
    {"1 form ID holds a character that is no hexadecimal digit, read as far as the digits go",
     " form IDs hold a character that is no hexadecimal digit, read as far as the digits go"},
    {"1 decoration item lacks a position, rotation or scale line, and the game takes 0 for it",
     " decoration items lack a position, rotation or scale line, and the game takes 0 for it"},
    {"1 scale lies outside what the game holds, 0 to 655.35, and is taken as the nearest",
     " scales lie outside what the game holds, 0 to 655.35, and are taken as the nearest"},
}};

}  // namespace

void ReadingNotes::NumberRead(const BlueprintLine& line, NumberKind kind) {
    const std::string_view value = line.ValuePart();
    float plain = 0.0f;
    // What the exporter writes is read whole: most lines end here.
    if (ConvertPlainDecimal(value, plain)) return;
    std::size_t length = 0;
    if (kind == NumberKind::Float) {
        float read = 0.0f;
        length = ConvertFloat(value, read).length;
    } else {
        std::int32_t read = 0;
        length = ConvertLong(value, 10, read).length;
    }
    if (length == 0 || AllBlanks(value.substr(length))) return;
    Add(NoteKind::TextAfterNumber, line,
        std::string(line.Text()) + " is read as " + std::string(ReadPart(value, length)));
}

std::string FormLookedFor(const BlueprintLine& line) {
    const std::string_view idText = GetFormIDText(line);
    std::uint32_t formID = 0;
    const ConversionResult read = ConvertUnsignedLong(idText, 16, formID);
    if (read.status != ConversionStatus::Converted || AllBlanks(idText.substr(read.length))) return {};
    return FormIDText(formID);
}

void ReadingNotes::FormReferenceRead(const BlueprintLine& line) {
    const std::string lookedFor = FormLookedFor(line);
    if (lookedFor.empty()) return;
    Add(NoteKind::NotHexFormID, line, std::string(line.Text()) + " looks for the form " + lookedFor);
}

void ReadingNotes::ScaleRead(const BlueprintLine& line, float scale) {
    // The game rounds to hundredths, so 655.354 is still 655.35.
    if (scale >= 0.0f && std::round(static_cast<double>(scale) * 100.0) <= 65535.0) return;
    Add(NoteKind::ScaleClamped, line,
        std::string(line.Text()) + " is taken as " + (scale < 0.0f ? std::string("0") : FloatText(kLargestScale)));
}

void ReadingNotes::FieldsMissing(const BlueprintLine& baseLine, std::size_t index, std::string_view fields,
                                 bool several) {
    Add(NoteKind::MissingItemField, baseLine,
        "DecorItem[" + std::to_string(index) + "] has no " + std::string(fields) + (several ? " lines" : " line"));
}

void ReadingNotes::Add(NoteKind kind, const BlueprintLine& line, std::string text) {
    notes_.push_back({kind, line.Number(), std::move(text)});
}

std::vector<std::string> NoteWarningLines(const ReadingNotes& notes, std::string_view commandPrefix) {
    std::array<std::size_t, kKindTexts.size()> counts{};
    std::array<const ReadingNote*, kKindTexts.size()> first{};
    for (const ReadingNote& note : notes.Notes()) {
        const auto kind = static_cast<std::size_t>(note.kind);
        if (counts[kind]++ == 0) first[kind] = &note;
    }
    std::vector<std::string> lines;
    for (std::size_t kind = 0; kind < kKindTexts.size(); ++kind) {
        if (counts[kind] == 0) continue;
        const std::string count =
            counts[kind] == 1 ? kKindTexts[kind].one : std::to_string(counts[kind]) + kKindTexts[kind].many;
        lines.push_back(std::string(commandPrefix) + ": WARNING: " + count + ": " + first[kind]->text);
    }
    return lines;
}

}  // namespace Corvanis
