#include "import/reading/LayoutReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

#include "format/ComponentFields.h"
#include "format/OptionalLists.h"
#include "format/ShipRecords.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/ShipComponents.h"
#include "import/reading/LineReaders.h"
#include "import/reading/RefusalReasons.h"
#include "import/reading/internal/ElementKey.h"
#include "import/reading/internal/KeySet.h"

namespace Corvanis {

// What a line under a component's key is read as, and where it goes.
enum class ComponentLineKind : std::uint8_t {
    BoundForm,     // a form given as a bound object, into a form member
    Form,          // a form of the row's type, into a form member
    Keyword,       // a keyword, added to a list in file order
    Text,          // into a text member; an empty value is an empty text
    OptionalText,  // the same, but an empty value is not read
    Unsigned,      // into an unsigned 32-bit member
    // Lines of listed records, each read by its own function.
    PropertySheet,
    Traversals,
    TraversalGroups,
    Blueprint,
    Container,
};

using ComponentLineMember =
    std::variant<std::monostate, veltrane::Form* LayoutAccumulator::*, std::string LayoutAccumulator::*,
                 std::uint32_t LayoutAccumulator::*, std::vector<veltrane::Form*> LayoutAccumulator::*>;

// Rows with the same tag read a line once, under the first of their keys
// that the line carries.
enum class ComponentLineSharing : std::uint8_t { None, WeaponSlots, Traversals, Container };

struct ComponentKey {
    std::string_view key;
    ComponentLineKind kind;
    ComponentLineMember member = {};
    std::uint8_t formType = 0;
    ComponentLineSharing shared = ComponentLineSharing::None;
};

namespace {

using veltrane::Form;

// What a refusal names as the thing a line sets: its component's key
// without the '[', '.' or bar that ends it ("QRNKeywordForm").
constexpr std::string_view RefusalName(std::string_view key) {
    if (key.ends_with(" |")) key.remove_suffix(2);
    if (key.ends_with('[') || key.ends_with('.')) key.remove_suffix(1);
    return key;
}

// What a refusal of a traversal's line names.
constexpr std::string_view kTraversalsWhat = RefusalName(kTraversalsKey);

// The keys that decide which part of the accumulator a line is for, in the
// order a line is tested against them. A line may carry keys of several;
// each of them reads it.
using A = LayoutAccumulator;
constexpr ComponentKey kComponentKeys[] = {
    {"QRNAddToInventoryOnDestroy.form", ComponentLineKind::BoundForm, &A::addToInventoryForm},
    {KeyWithoutBar(kAnimationGraphFields[0].key), ComponentLineKind::Text, &A::rootAnimGraph},
    {KeyWithoutBar(kAnimationGraphFields[1].key), ComponentLineKind::Text, &A::rigFile},
    {KeyWithoutBar(kAnimationGraphFields[2].key), ComponentLineKind::Text, &A::animPath},
    {KeyWithoutBar(kAnimationGraphFields[3].key), ComponentLineKind::Text, &A::responseFile},
    {"QRNKeywordForm[", ComponentLineKind::Keyword, &A::keywords, veltrane::kFormTypeKeyword},
    {"QRNAttachParentArray[", ComponentLineKind::Keyword, &A::attachParentKeywords, veltrane::kFormTypeKeyword},
    {"QRNPropertySheet[", ComponentLineKind::PropertySheet},
    {"QRNSpaceshipAIActor.actor", ComponentLineKind::Form, &A::aiActor, veltrane::kFormTypeNPC},
    {"QRNLinkedVoiceType.voice", ComponentLineKind::Form, &A::voiceType, veltrane::kFormTypeVoiceType},
    {KeyWithoutBar(kWeaponBindingFields[0].key), ComponentLineKind::Unsigned, &A::weaponSlot1, 0,
     ComponentLineSharing::WeaponSlots},
    {KeyWithoutBar(kWeaponBindingFields[1].key), ComponentLineKind::Unsigned, &A::weaponSlot2, 0,
     ComponentLineSharing::WeaponSlots},
    {KeyWithoutBar(kWeaponBindingFields[2].key), ComponentLineKind::Unsigned, &A::weaponSlot3, 0,
     ComponentLineSharing::WeaponSlots},
    // Every key part of a traversal group's line holds the first key too.
    {kTraversalsKey, ComponentLineKind::Traversals, {}, 0, ComponentLineSharing::Traversals},
    {kTraversalGroupsKey, ComponentLineKind::TraversalGroups, {}, 0, ComponentLineSharing::Traversals},
    {"Blueprint.", ComponentLineKind::Blueprint},
    // The older form of the container keys, then the one the exporter writes.
    {"KORContainer.", ComponentLineKind::Container, {}, 0, ComponentLineSharing::Container},
    {kCargoEntries.key, ComponentLineKind::Container, {}, 0, ComponentLineSharing::Container},
    {"DisplayName |", ComponentLineKind::OptionalText, &A::displayName},
    {KeyWithoutBar(kFullNameFields[0].key), ComponentLineKind::Text, &A::fullName},
    {KeyWithoutBar(kModelFields[0].key), ComponentLineKind::Text, &A::model},
    {KeyWithoutBar(kHullCodeFields[0].key), ComponentLineKind::OptionalText, &A::hullCode},
};

constexpr KeySet kComponentKeySet = []() consteval {
    std::array<std::string_view, std::size(kComponentKeys)> keys{};
    for (std::size_t k = 0; k < keys.size(); ++k) keys[k] = kComponentKeys[k].key;
    return KeySet(keys);
}();

// For each key, the keys a line is read under only once when it carries it.
constexpr auto kKeysSharingLine = [] {
    std::array<KeySet::Mask, std::size(kComponentKeys)> masks{};
    for (std::size_t k = 0; k < masks.size(); ++k) {
        masks[k] = KeySet::Mask{1} << k;
        if (kComponentKeys[k].shared == ComponentLineSharing::None) continue;
        for (std::size_t other = 0; other < masks.size(); ++other) {
            if (kComponentKeys[other].shared == kComponentKeys[k].shared) masks[k] |= KeySet::Mask{1} << other;
        }
    }
    return masks;
}();

// What a refusal of a traversal group's line names.
constexpr std::string_view kGroupTraversalsWhat = "QRNStoredTraversalData.traversals2|traversals";

// The keys a reader looks for to find a record's fields, each with the row
// of the field table it names; a row's older key comes after every row's key.
template <std::size_t N>
struct FieldKeys {
    std::array<std::string_view, N> keys{};
    std::array<std::size_t, N> rows{};
    std::size_t size = 0;

    constexpr void Add(std::string_view key, std::size_t row) {
        keys[size] = key;
        rows[size++] = row;
    }
    consteval KeySet Set() const { return KeySet(std::span(keys.data(), size)); }
};

// A field's key as it may stand anywhere in the key part after the element's
// index: "].fFromX".
constexpr std::string_view AfterIndex(std::string_view key) { return KeyWithoutBar(key); }
// The same inside a traversal group, where every key part holds
// "].traversals[": a key that begins it ("].traversal") must end the key part.
constexpr std::string_view InsideGroup(std::string_view key) {
    return std::string_view(kGroupTraversalsKey).starts_with(KeyWithoutBar(key)) ? key : KeyWithoutBar(key);
}

// The keys of the record's rows as `place` puts them, after the `leading`
// keys of another kind (which name row 0 and are told apart by their index).
template <class Record, std::size_t N, std::size_t L = 0>
consteval FieldKeys<L + 2 * N> ReaderKeys(const RecordField<Record> (&fields)[N],
                                          std::string_view (*place)(std::string_view),
                                          std::array<std::string_view, L> leading = {}) {
    FieldKeys<L + 2 * N> keys;
    for (std::string_view key : leading) keys.Add(key, 0);
    for (std::size_t row = 0; row < N; ++row) keys.Add(place(fields[row].key), row);
    for (std::size_t row = 0; row < N; ++row) {
        if (!fields[row].olderKey.empty()) keys.Add(place(fields[row].olderKey), row);
    }
    return keys;
}

constexpr auto kTraversalKeys = ReaderKeys(kTraversalFields, AfterIndex);
constexpr KeySet kTraversalKeySet = kTraversalKeys.Set();
constexpr auto kGroupTraversalKeys = ReaderKeys(kTraversalFields, InsideGroup);
constexpr KeySet kGroupTraversalKeySet = kGroupTraversalKeys.Set();
constexpr auto kTraversalGroupKeys = ReaderKeys(kTraversalGroupFields, AfterIndex);
constexpr KeySet kTraversalGroupKeySet = kTraversalGroupKeys.Set();

// The blueprint's own fields, then the fields of a module (a line that also
// carries ".data["), in one set: each line is looked at once. A module's key
// as the key part has it after the element's "]": ".fPosX".
enum BlueprintField : int { kBlueprintUnk08, kBlueprintUnk10, kBlueprintData, kFirstPartField };
constexpr std::string_view AfterBracket(std::string_view key) { return KeyWithoutBar(key).substr(1); }
constexpr auto kBlueprintKeys =
    ReaderKeys(kModuleFields, AfterBracket,
               std::array<std::string_view, kFirstPartField>{"Blueprint.unk08", "Blueprint.unk10", ".data["});
constexpr KeySet kBlueprintKeySet = kBlueprintKeys.Set();
constexpr KeySet::Mask kPartFields = ~KeySet::Mask{0} << kFirstPartField;

constexpr KeySet kPropertySheetFields{".first", ".second", ".third"};
enum PropertySheetField : int { kPropertyFirst, kPropertySecond, kPropertyThird };

constexpr KeySet kContainerFields{kCargoEntries.makingField, ".obj"};
enum ContainerField : int { kContainerCount, kContainerObj };

LineVerdict Refuse(ImportErrorInfo& error, const BlueprintLine& line, std::string_view what,
                   std::string_view field = {}, std::string extraErrorText = {}) {
    std::string phase = "importing ";
    phase += what;
    if (!field.empty()) {
        phase += '|';
        phase += field;
    }
    phase += " at ";
    phase += line.Text();
    error.sPhase = std::move(phase);
    error.sExtraErrorText = std::move(extraErrorText);
    return LineVerdict::Refused;
}

bool InRange(std::int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// The number the index names in a list of `size` elements is the next one.
bool IsNext(std::int32_t index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) == size; }

// Whether a line of a list's element at the index has an element to go to:
// one there is, or the next when the line makes it.
bool HasElement(std::int32_t index, std::size_t size, bool creating) {
    return InRange(index, size) || (creating && IsNext(index, size));
}

// Makes a new element of a list together with the note of its first line, or
// neither: the two lists stay in step even when memory runs out.
template <class Element, class Line>
void AddElement(std::vector<Element>& elements, std::vector<Line>& firstLines, Line firstLine) {
    firstLines.push_back(std::move(firstLine));
    try {
        elements.emplace_back();
    } catch (...) {
        firstLines.pop_back();
        throw;
    }
}

template <class Element, class Line>
void RemoveLastElement(std::vector<Element>& elements, std::vector<Line>& firstLines) {
    elements.pop_back();
    firstLines.pop_back();
}

// Reads a field of the list's element at `index`. The line of an element's
// creating field makes the next element, with the note of its first line; a
// line that does not read takes that element back.
template <class Element, class Line, class SetField>
bool ReadElementField(std::vector<Element>& elements, std::vector<Line>& firstLines, const Line& firstLine,
                      std::int32_t index, bool creating, SetField&& set) {
    const bool created = creating && IsNext(index, elements.size());
    if (created) AddElement(elements, firstLines, firstLine);
    if (InRange(index, elements.size()) && set(elements[index])) return true;
    if (created) RemoveLastElement(elements, firstLines);
    return false;
}

// Each reads the line's value and stores it only when it converts.
bool ReadFloat(const BlueprintLine& line, float& target) {
    return ParseLineFiniteFloat(line, target);
}

bool ReadUInt32(const BlueprintLine& line, std::uint32_t& target) {
    std::uint32_t value = 0;
    if (!ParseLineUInt32(line, value)) return false;
    target = value;
    return true;
}

// A whole number as the exporter writes one, decimal digits alone, that the
// target holds: read exactly, so that a module's numbers come back from its
// own blueprint whatever their size.
template <class Whole>
bool ReadPlainWhole(const BlueprintLine& line, Whole& target) {
    const std::string_view value = GetLineValue(line);
    std::uint64_t number = 0;
    const char* end = value.data() + value.size();
    const auto read = std::from_chars(value.data(), end, number);
    if (value.empty() || read.ec != std::errc() || read.ptr != end || number > std::numeric_limits<Whole>::max()) {
        return false;
    }
    target = static_cast<Whole>(number);
    return true;
}

// The integer part of the value, in as many low bits as the target has: any
// whole number the target holds, written plainly, is read exactly; every
// other text passes through a float, so that values beyond 16777216 come
// back rounded, and 300 read as a byte is 44. A value without an integer
// part (an infinity) does not convert.
template <class Whole>
bool ReadFloatAsWhole(const BlueprintLine& line, Whole& target) {
    if (ReadPlainWhole(line, target)) return true;
    float value = 0.0f;
    if (!ParseLineFiniteFloat(line, value)) return false;
    constexpr double kModulus = static_cast<double>(std::numeric_limits<Whole>::max()) + 1.0;
    if constexpr (std::numeric_limits<Whole>::digits > std::numeric_limits<float>::digits) {
        // The float nearest to each of the field's greatest 128 values is
        // the modulus itself, whose low bits are 0: the exporter's
        // "4294967295" of a field holding -1, the usual "none", would come
        // back as 0. Rounding stops at the greatest value instead.
        if (static_cast<double>(value) == kModulus) {
            target = std::numeric_limits<Whole>::max();
            return true;
        }
    }
    double low = std::fmod(std::trunc(static_cast<double>(value)), kModulus);
    if (low < 0) low += kModulus;
    target = static_cast<Whole>(low);
    return true;
}

// Bytes written with two hexadecimal digits each, every one of them.
template <std::size_t N>
bool ReadTwoDigitBytes(std::string_view text, std::uint8_t (&bytes)[N]) {
    if (text.size() != 2 * N) return false;
    std::uint8_t read[N];
    for (std::size_t i = 0; i < N; ++i) {
        const auto result = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, read[i], 16);
        if (result.ec != std::errc() || result.ptr != text.data() + 2 * i + 2) return false;
    }
    std::copy(std::begin(read), std::end(read), bytes);
    return true;
}

// An empty value is an empty text: the exporter writes a ship's empty texts
// so, and its blueprint must import.
LineVerdict ReadText(const BlueprintLine& line, std::string& target) {
    target.assign(GetLineValue(line));
    return LineVerdict::Read;
}

LineVerdict ReadOptionalText(const BlueprintLine& line, std::string& target) {
    const std::string_view value = GetLineValue(line);
    if (value.empty()) return LineVerdict::NotRead;
    target.assign(value);
    return LineVerdict::Read;
}

// The version as the refusals and the version record show it: two decimals.
std::string VersionText(float version) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, version, std::chars_format::fixed, 2);
    return written.ec == std::errc() ? std::string(text, written.ptr) : std::string();
}

}  // namespace

void RefuseIncompleteElement(const IncompleteElement& element, ImportErrorInfo& error) {
    Refuse(error, element.firstLine, element.what, element.field);
    error.sReason = "the element has no " + std::string(element.field) + " line";
}

LineVerdict LayoutReader::ReadLine(const BlueprintLine& line, ImportErrorInfo& error) {
    if (IsShipLine(line)) return LineVerdict::NotRead;
    if (const BackupKind backup = BackupLineKind(line); backup != BackupKind::None) {
        layout_.backup = backup;
        return LineVerdict::Read;
    }
    bool read = false;
    if (IsVersionLine(line)) {
        LineVerdict verdict;
        try {
            verdict = ReadVersion(line, error);
        } catch (...) {
            verdict = Refuse(error, line, "Version", {}, "error while parsing blueprint's version");
        }
        if (verdict == LineVerdict::Refused) return Because("", verdict);
        read = verdict == LineVerdict::Read;
    }
    KeySet::Mask keys = kComponentKeySet.Find(line);
    while (keys != 0) {
        const int key = std::countr_zero(keys);
        keys &= ~kKeysSharingLine[key];
        LineVerdict verdict = LineVerdict::NotRead;
        // What throws here is the memory running out: that key's work on the
        // line ends, and the other keys still read it.
        try {
            verdict = ReadComponentLine(kComponentKeys[key], line, error);
        } catch (...) {
        }
        if (verdict == LineVerdict::Refused) return verdict;
        read = read || verdict == LineVerdict::Read;
    }
    return read ? LineVerdict::Read : LineVerdict::NotRead;
}

LineVerdict LayoutReader::ReadComponentLine(const ComponentKey& key, const BlueprintLine& line,
                                            ImportErrorInfo& error) {
    const auto member = [&]<class Value>() -> Value& {
        return layout_.*std::get<Value LayoutAccumulator::*>(key.member);
    };
    switch (key.kind) {
        case ComponentLineKind::BoundForm:
            if (Form* form = BoundForm(line)) {
                member.operator()<Form*>() = form;
                return LineVerdict::Read;
            }
            return Because(FormReason(line, true), Refuse(error, line, RefusalName(key.key)));
        case ComponentLineKind::Form:
            if (Form* form = FormOfType(line, key.formType)) {
                member.operator()<Form*>() = form;
                return LineVerdict::Read;
            }
            return Because(FormReason(line, false), Refuse(error, line, RefusalName(key.key)));
        case ComponentLineKind::Keyword:
            // The index is not read: keywords are kept in file order.
            if (Form* keyword = FormOfType(line, key.formType)) {
                member.operator()<std::vector<Form*>>().push_back(keyword);
                return LineVerdict::Read;
            }
            return Because(FormReason(line, false), Refuse(error, line, RefusalName(key.key)));
        case ComponentLineKind::Text:
            return ReadText(line, member.operator()<std::string>());
        case ComponentLineKind::OptionalText:
            return ReadOptionalText(line, member.operator()<std::string>());
        case ComponentLineKind::Unsigned:
            if (ReadUInt32(line, member.operator()<std::uint32_t>())) {
                NoteNumber(line, NumberKind::Integer);
                return LineVerdict::Read;
            }
            return Because(kNotAWholeNumberReason, Refuse(error, line, RefusalName(key.key)));
        case ComponentLineKind::PropertySheet:
            return ReadPropertySheet(line, error);
        case ComponentLineKind::Traversals:
            return ReadTraversals1(line, error);
        case ComponentLineKind::TraversalGroups:
            return ReadTraversals2(line, error);
        case ComponentLineKind::Blueprint:
            return ReadBlueprint(line, error);
        case ComponentLineKind::Container:
            return ReadContainer(line, error);
    }
    return LineVerdict::NotRead;
}

LineVerdict LayoutReader::ReadVersion(const BlueprintLine& line, ImportErrorInfo& error) {
    constexpr std::string_view kName = "Version";
    float value = 0.0f;
    if (!ParseVersionValue(line, value)) {
        return Refuse(error, line, kName, {}, "blueprint's version couldn't be parsed");
    }
    version_.fVersion = value;
    version_.sVersion = VersionText(value);
    const std::string& text = version_.sVersion;
    if (text.empty()) return Refuse(error, line, kName, {}, "blueprint's version is invalid");
    // Not a number is no version either.
    if (!(value > 0.0f)) return Refuse(error, line, kName, {}, "blueprint's version [" + text + "] is invalid");
    if (value > kBlueprintVersion) {
        return Refuse(error, line, kName, {},
                      "blueprint's version [" + text + "] is higher than the version supported by the importer [" +
                          std::string(kBlueprintVersionText) + "], please update Corvanis");
    }
    return LineVerdict::Read;
}

LineVerdict LayoutReader::ReadPropertySheet(const BlueprintLine& line, ImportErrorInfo& error) {
    constexpr std::string_view kName = "QRNPropertySheet";
    std::vector<PropertySheetEntry>& sheet = layout_.propertySheet;
    switch (kPropertySheetFields.First(line)) {
        case kPropertyFirst: {
            // Each entry begins with its first form; the index is not read.
            Form* first = ResolveFormReference(line, forms_);
            if (first == nullptr) return Because(UnresolvedFormReason(line, forms_), Refuse(error, line, kName));
            sheet.push_back({first, nullptr, 0.0f});
            NoteFormReference(line);
            return LineVerdict::Read;
        }
        case kPropertySecond: {
            const std::int32_t index = GetLineIndex(line);
            if (!InRange(index, sheet.size())) return LineVerdict::NotRead;
            Form* second = ResolveFormReference(line, forms_);
            if (second == nullptr) return LineVerdict::NotRead;
            sheet[index].second = second;
            NoteFormReference(line);
            return LineVerdict::Read;
        }
        case kPropertyThird: {
            const std::int32_t index = GetLineIndex(line);
            if (!InRange(index, sheet.size())) return LineVerdict::NotRead;
            if (!ReadFloat(line, sheet[index].third)) return Because(kNotANumberReason, Refuse(error, line, kName));
            NoteNumber(line, NumberKind::Float);
            return LineVerdict::Read;
        }
        default:
            return LineVerdict::NotRead;
    }
}

LineVerdict LayoutReader::ReadTraversals1(const BlueprintLine& line, ImportErrorInfo& error) {
    const int key = kTraversalKeySet.First(line);
    if (key < 0) return LineVerdict::NotRead;
    const RecordField<veltrane::TraversalRecord>& field = kTraversalFields[kTraversalKeys.rows[key]];
    const std::int32_t index = GetLineIndex(line);
    const bool creating = &field == &kTraversalFields[0];
    const bool hasElement = HasElement(index, layout_.traversals1.size(), creating);
    const bool read = ReadElementField(layout_.traversals1, traversal1Lines_, line, index, creating,
                                       [&](veltrane::TraversalRecord& traversal) {
                                           return SetField(field, line, traversal, kTraversalFormType);
                                       });
    if (read) return LineVerdict::Read;
    return Because(hasElement ? ValueReason(field, line) : kNoSuchElementReason,
                   Refuse(error, line, kTraversalsWhat, FieldName(kTraversalKeySet.Key(key))));
}

LineVerdict LayoutReader::ReadTraversals2(const BlueprintLine& line, ImportErrorInfo& error) {
    if (HasKey(line, "].traversals")) return ReadGroupTraversal(line, error);
    const int key = kTraversalGroupKeySet.First(line);
    if (key < 0) return LineVerdict::NotRead;
    const RecordField<veltrane::TraversalGroupRecord>& field = kTraversalGroupFields[kTraversalGroupKeys.rows[key]];
    // A group without traversals has only these lines: its first makes it.
    const std::int32_t index = GetLineIndex(line);
    const bool creating = &field == &kTraversalGroupFields[0];
    const bool hasElement = HasElement(index, layout_.traversals2.size(), creating);
    const bool read = ReadElementField(layout_.traversals2, traversal2Lines_, std::vector<BlueprintLine>{}, index,
                                       creating,
                                       [&](TraversalGroupEntry& group) { return SetField(field, line, group.record); });
    if (read) return LineVerdict::Read;
    return Because(hasElement ? ValueReason(field, line) : kNoSuchElementReason,
                   Refuse(error, line, kGroupTraversalsWhat, FieldName(kTraversalGroupKeySet.Key(key))));
}

LineVerdict LayoutReader::ReadGroupTraversal(const BlueprintLine& line, ImportErrorInfo& error) {
    const int key = kGroupTraversalKeySet.First(line);
    if (key < 0) return LineVerdict::NotRead;
    const RecordField<veltrane::TraversalRecord>& field = kTraversalFields[kGroupTraversalKeys.rows[key]];
    const std::int32_t outer = GetLineIndex(line);
    // The line that makes a traversal makes its group too when the group is
    // the next one.
    const bool creating = &field == &kTraversalFields[0];
    const std::int32_t inner = GetLineInnerIndex(line);
    const std::vector<TraversalGroupEntry>& groups = layout_.traversals2;
    const bool hasElement =
        HasElement(outer, groups.size(), creating) &&
        HasElement(inner, InRange(outer, groups.size()) ? groups[outer].traversals.size() : 0, creating);
    const bool read = ReadElementField(
        layout_.traversals2, traversal2Lines_, std::vector<BlueprintLine>{}, outer, creating,
        [&](TraversalGroupEntry& group) {
            return ReadElementField(group.traversals, traversal2Lines_[outer], line, inner, creating,
                                    [&](veltrane::TraversalRecord& traversal) {
                                        return SetField(field, line, traversal, kTraversalFormType);
                                    });
        });
    if (read) return LineVerdict::Read;
    return Because(hasElement ? ValueReason(field, line) : kNoSuchElementReason,
                   Refuse(error, line, kGroupTraversalsWhat, FieldName(kGroupTraversalKeySet.Key(key))));
}

LineVerdict LayoutReader::ReadBlueprint(const BlueprintLine& line, ImportErrorInfo& error) {
    // A module's line as the exporter writes it: no key of the set stands
    // in another, so the search would find ".data[" and this field and no
    // other.
    if (ElementKey key; SplitExportedElementKey(line.KeyPart(), kModuleKey, key)) {
        if (const int field = kBlueprintKeySet.Which(key.field); field >= kFirstPartField) {
            return ReadPart(field, key.index, line, error);
        }
    }
    const KeySet::Mask fields = kBlueprintKeySet.Find(line);
    switch (fields == 0 ? -1 : std::countr_zero(fields)) {
        case kBlueprintUnk08: {
            // A value that does not convert leaves the number as it was.
            std::uint64_t value = 0;
            if (!ParseLineUInt64(line, value)) return LineVerdict::NotRead;
            layout_.blueprintUnk08 = value;
            return LineVerdict::Read;
        }
        case kBlueprintUnk10:
            return ReadOptionalText(line, layout_.blueprintUnk10);
        case kBlueprintData: {
            const KeySet::Mask partFields = fields & kPartFields;
            if (partFields == 0) return LineVerdict::NotRead;
            return ReadPart(std::countr_zero(partFields), GetLineIndex(line), line, error);
        }
        default:
            return LineVerdict::NotRead;
    }
}

LineVerdict LayoutReader::ReadPart(int key, std::int32_t index, const BlueprintLine& line, ImportErrorInfo& error) {
    const RecordField<veltrane::BlueprintPartRecord>& field = kModuleFields[kBlueprintKeys.rows[key]];
    const bool creating = &field == &kModuleFields[0];
    const bool hasElement = HasElement(index, layout_.parts.size(), creating);
    const bool read = ReadElementField(layout_.parts, partLines_, line, index, creating,
                                       [&](PartEntry& part) {
                                           return SetField(field, line, part.record, kModuleItemFormType,
                                                           &part.uLegacyUnk3C);
                                       });
    if (read) return LineVerdict::Read;
    return Because(hasElement ? ValueReason(field, line) : kNoSuchElementReason,
                   Refuse(error, line, "Blueprint|data", FieldName(kBlueprintKeySet.Key(key))));
}

template <class Record>
bool LayoutReader::SetField(const RecordField<Record>& field, const BlueprintLine& line, Record& record,
                            std::uint8_t formType, std::uint8_t* legacyByte) {
    const bool set = SetFieldValue(field, line, record, formType, legacyByte);
    if (set && field.kind != FieldKind::Form && field.kind != FieldKind::RawBytes) {
        NoteNumber(line, field.kind == FieldKind::Unsigned ? NumberKind::Integer : NumberKind::Float);
    }
    return set;
}

template <class Record>
bool LayoutReader::SetFieldValue(const RecordField<Record>& field, const BlueprintLine& line, Record& record,
                                 std::uint8_t formType, std::uint8_t* legacyByte) {
    switch (field.kind) {
        case FieldKind::Float:
            return ReadFloat(line, record.*std::get<float Record::*>(field.member));
        case FieldKind::Whole:
            return std::visit(
                [&]<class Member>(Member member) {
                    if constexpr (std::is_same_v<Member, std::uint32_t Record::*> ||
                                  std::is_same_v<Member, std::uint8_t Record::*>) {
                        return ReadFloatAsWhole(line, record.*member);
                    } else {
                        return false;
                    }
                },
                field.member);
        case FieldKind::Unsigned:
            return ReadUInt32(line, record.*std::get<std::uint32_t Record::*>(field.member));
        case FieldKind::Form:
            if (Form* form = FormOfType(line, formType)) {
                record.*std::get<Form* Record::*>(field.member) = form;
                return true;
            }
            return false;
        case FieldKind::RawBytes:
            // The bytes cannot be split back out of a text that leaves out
            // leading zeros: they stay zero. A layout backup writes two digits
            // for every byte, and there they read back.
            if (layout_.backup == BackupKind::Layout) {
                return ReadTwoDigitBytes(GetLineValue(line), record.*std::get<RawBytesMember<Record>>(field.member));
            }
            return !GetLineValue(line).empty();
        case FieldKind::FloatOrLegacyByte: {
            // Kept both ways: the blueprint's version decides which the ship
            // gets, and a version line may come after the modules.
            float value = 0.0f;
            if (!ParseLineFiniteFloat(line, value)) return false;
            std::uint8_t legacy = 0;
            ReadFloatAsWhole(line, legacy);
            record.*std::get<float Record::*>(field.member) = value;
            if (legacyByte != nullptr) *legacyByte = legacy;
            return true;
        }
        case FieldKind::Text:
            // No listed record holds a game string (IsWellFormed sees to it):
            // the game makes those only once the reading is done.
            return false;
    }
    return false;
}

LineVerdict LayoutReader::ReadContainer(const BlueprintLine& line, ImportErrorInfo& error) {
    const int field = kContainerFields.First(line);
    if (field < 0) return LineVerdict::NotRead;
    std::vector<ContainerEntry>& entries = layout_.container;
    const std::int32_t index = GetLineIndex(line);
    if (field == kContainerCount) {
        std::int32_t count = 0;
        if (!ParseLineInt32(line, count)) {
            return Because(kNotAWholeNumberReason, Refuse(error, line, "KORContainer", "count"));
        }
        if (IsNext(index, entries.size())) entries.push_back({0, nullptr, {}});
        if (InRange(index, entries.size())) {
            entries[index].count = count;
            NoteNumber(line, NumberKind::Integer);
            return LineVerdict::Read;
        }
        return Because(kNoSuchElementReason, Refuse(error, line, "KORContainer", "count"));
    }
    if (InRange(index, entries.size())) {
        if (Form* obj = BoundForm(line)) {
            entries[index].obj = obj;
            entries[index].missingDataFile.clear();
            return LineVerdict::Read;
        }
        // Cargo from a data file the player lacks is left out, not the ship.
        if (const std::string_view file = GetFormFileName(line); !file.empty() && !forms_.DataFileLoaded(file)) {
            entries[index].obj = nullptr;
            entries[index].missingDataFile.assign(file);
            return LineVerdict::Read;
        }
    }
    return Because(InRange(index, entries.size()) ? FormReason(line, true) : kNoSuchElementReason,
                   Refuse(error, line, "KORContainer", "obj"));
}

std::vector<IncompleteElement> LayoutReader::Finish() {
    std::vector<IncompleteElement> incomplete;
    const auto traversalsWithoutForm = [&](const std::vector<veltrane::TraversalRecord>& traversals,
                                           const std::vector<BlueprintLine>& firstLines, std::string_view what) {
        for (std::size_t i = 0; i < traversals.size(); ++i) {
            if (traversals[i].traversal == nullptr) incomplete.push_back({firstLines[i], what, "traversal"});
        }
    };
    traversalsWithoutForm(layout_.traversals1, traversal1Lines_, kTraversalsWhat);
    for (std::size_t group = 0; group < layout_.traversals2.size(); ++group) {
        traversalsWithoutForm(layout_.traversals2[group].traversals, traversal2Lines_[group], kGroupTraversalsWhat);
    }
    for (std::size_t part = 0; part < layout_.parts.size(); ++part) {
        if (layout_.parts[part].record.item == nullptr) incomplete.push_back({partLines_[part], "Blueprint|data", "item"});
    }
    std::stable_sort(incomplete.begin(), incomplete.end(), [](const IncompleteElement& a, const IncompleteElement& b) {
        return a.firstLine.Number() < b.firstLine.Number();
    });

    std::vector<ContainerEntry>& entries = layout_.container;
    for (ContainerEntry& entry : entries) {
        if (entry.obj == nullptr) layout_.cargoLeftOut.push_back(std::move(entry.missingDataFile));
    }
    std::erase_if(entries, [](const ContainerEntry& entry) { return entry.obj == nullptr; });
    return incomplete;
}

Form* LayoutReader::FormOfType(const BlueprintLine& line, std::uint8_t type) {
    Form* form = ResolveFormReference(line, forms_);
    if (form == nullptr || !HasFormType(forms_, form, type)) return nullptr;
    NoteFormReference(line);
    return form;
}

Form* LayoutReader::BoundForm(const BlueprintLine& line) {
    Form* form = ResolveFormReference(line, forms_);
    Form* bound = form != nullptr ? forms_.BoundObject(form) : nullptr;
    if (bound != nullptr) NoteFormReference(line);
    return bound;
}

void LayoutReader::NoteFormReference(const BlueprintLine& line) {
    if (notes_ != nullptr) notes_->FormReferenceRead(line);
}

void LayoutReader::NoteNumber(const BlueprintLine& line, NumberKind kind) {
    if (notes_ != nullptr) notes_->NumberRead(line, kind);
}

const char* LayoutReader::FormReason(const BlueprintLine& line, bool bound) {
    if (ResolveFormReference(line, forms_) == nullptr) return UnresolvedFormReason(line, forms_);
    return bound ? kNotPlaceableReason : kFormOfOtherKindReason;
}

template <class Record>
const char* LayoutReader::ValueReason(const RecordField<Record>& field, const BlueprintLine& line) {
    switch (field.kind) {
        case FieldKind::Unsigned:
            return kNotAWholeNumberReason;
        case FieldKind::Form:
            return FormReason(line, false);
        case FieldKind::RawBytes:
            return layout_.backup == BackupKind::Layout ? kNotBackupBytesReason : kEmptyValueReason;
        case FieldKind::Float:
        case FieldKind::Whole:
        case FieldKind::FloatOrLegacyByte:
        case FieldKind::Text:
            break;
    }
    return kNotANumberReason;
}

}  // namespace Corvanis
