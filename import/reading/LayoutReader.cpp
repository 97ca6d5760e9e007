#include "import/reading/LayoutReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "import/reading/KeySet.h"
#include "import/reading/LineReaders.h"

namespace Corvanis {

namespace {

using veltrane::Form;

// The keys that decide which part of the accumulator a line is for, in the
// order a line is tested against them. A line may carry keys of several;
// each of them reads it.
enum GroupKey : int {
    kAddToInventoryOnDestroy,
    kRootAnimGraph,
    kRigFile,
    kAnimPath,
    kResponseFile,
    kKeywordForm,
    kAttachParentArray,
    kPropertySheet,
    kAIActor,
    kVoiceType,
    kWeaponSlot1,
    kWeaponSlot2,
    kWeaponSlot3,
    kTraversals1,
    kTraversals2,
    kBlueprint,
    kContainerByName,   // the older form of the container keys
    kContainerByIndex,  // as the exporter writes them
    kDisplayName,
    kFullName,
    kModel,
    kHullCode,
    kGroupKeyCount,
};

constexpr KeySet kGroupKeys{
    "QRNAddToInventoryOnDestroy.form",
    "QRNAnimationGraphComponent.rootAnimGraph",
    "QRNAnimationGraphComponent.rigFile",
    "QRNAnimationGraphComponent.animPath",
    "QRNAnimationGraphComponent.responseFile",
    "QRNKeywordForm[",
    "QRNAttachParentArray[",
    "QRNPropertySheet[",
    "QRNSpaceshipAIActor.actor",
    "QRNLinkedVoiceType.voice",
    "QRNSpaceshipWeaponBinding.weaponSlot1",
    "QRNSpaceshipWeaponBinding.weaponSlot2",
    "QRNSpaceshipWeaponBinding.weaponSlot3",
    "QRNStoredTraversalData.traversals1[",
    "QRNStoredTraversalData.traversals2[",
    "Blueprint.",
    "KORContainer.",
    "KORContainer[",
    "DisplayName |",
    "KORFullName.fullName",
    "KORModel.model",
    "QRNSpaceshipHullCode.hullCode",
};

// What a refusal names as the thing the line sets.
constexpr std::array<std::string_view, kGroupKeyCount> kGroupNames{
    "QRNAddToInventoryOnDestroy.form",
    "QRNAnimationGraphComponent.rootAnimGraph",
    "QRNAnimationGraphComponent.rigFile",
    "QRNAnimationGraphComponent.animPath",
    "QRNAnimationGraphComponent.responseFile",
    "QRNKeywordForm",
    "QRNAttachParentArray",
    "QRNPropertySheet",
    "QRNSpaceshipAIActor.actor",
    "QRNLinkedVoiceType.voice",
    "QRNSpaceshipWeaponBinding.weaponSlot1",
    "QRNSpaceshipWeaponBinding.weaponSlot2",
    "QRNSpaceshipWeaponBinding.weaponSlot3",
    "QRNStoredTraversalData.traversals1",
    "QRNStoredTraversalData.traversals2",
    "Blueprint",
    "KORContainer",
    "KORContainer",
    "DisplayName",
    "KORFullName.fullName",
    "KORModel.model",
    "QRNSpaceshipHullCode.hullCode",
};

static_assert(kGroupKeys.Size() == kGroupKeyCount);

constexpr KeySet::Mask Bit(int key) { return KeySet::Mask{1} << key; }

// The keys a line is read under only once: the first of them it carries.
constexpr KeySet::Mask KeysOfGroup(int key) {
    constexpr KeySet::Mask kWeaponSlots = Bit(kWeaponSlot1) | Bit(kWeaponSlot2) | Bit(kWeaponSlot3);
    constexpr KeySet::Mask kContainer = Bit(kContainerByName) | Bit(kContainerByIndex);
    if (Bit(key) & kWeaponSlots) return kWeaponSlots;
    if (Bit(key) & kContainer) return kContainer;
    return Bit(key);
}

// The fields of a traversal, in the order they are tested. The exporter
// writes the two unsigned fields at 0x38 and 0x3C with a 'u'; the 'f' keys
// are what older blueprints hold.
constexpr KeySet kTraversalFields{
    "].unk00", "].unk04", "].unk08", "].unk0C", "].traversal", "].fFromX", "].fFromY", "].fFromZ", "].fToX",
    "].fToY", "].fToZ", "].fUnknown30", "].fUnknown34", "].fUnknown38", "].uUnknown38 |", "].fUnknown3C",
    "].uUnknown3C |", "].unk40",
};
// The same fields of a traversal inside a traversal group. Its form key must
// end the key part, as every such key holds "].traversals[".
constexpr KeySet kInnerTraversalFields{
    ".unk00", "].unk04", "].unk08", "].unk0C", "].traversal |", "].fFromX", "].fFromY", "].fFromZ", "].fToX",
    "].fToY", "].fToZ", "].fUnknown30", "].fUnknown34", "].fUnknown38", "].uUnknown38 |", "].fUnknown3C",
    "].uUnknown3C |", "].unk40",
};
// The field whose line makes a new traversal.
constexpr int kNewTraversalField = 0;
constexpr KeySet kTraversalGroupFields{"].unk14", "].unk18", "].unk1C", "].unk20", "].unk24"};
// The field whose line makes a new group when no traversal of the group made
// it: the exporter writes a group's own fields after its traversals.
constexpr int kNewTraversalGroupField = 0;

// The blueprint's own fields, then the fields of a module (a line that also
// carries ".data["), in one table: each line is looked at once.
constexpr KeySet kBlueprintFields{
    "Blueprint.unk08", "Blueprint.unk10", ".data[",
    ".fPosX", ".fPosY", ".fPosZ", ".fRotX", ".fRotY", ".fRotZ", ".partID", ".unk1C", ".unk20",
    ".unk24", ".unk28", ".unk2C", ".unk30", ".unk34", ".unk38", ".unk39", ".unk3A", ".unk3B",
    ".unk3C", ".unk40", ".unk44", ".unk48_98", ".item", ".unkA0", ".unkA4",
};
enum BlueprintField : int { kBlueprintUnk08, kBlueprintUnk10, kBlueprintData, kFirstPartField };
constexpr KeySet::Mask kPartFields = ~KeySet::Mask{0} << kFirstPartField;
// The field whose line makes a new module.
constexpr int kNewPartField = kFirstPartField;
// What a module's line begins with, as the exporter writes it.
constexpr std::string_view kModuleMarker = "Blueprint.data[";

constexpr KeySet kPropertySheetFields{".first", ".second", ".third"};
enum PropertySheetField : int { kPropertyFirst, kPropertySecond, kPropertyThird };

constexpr KeySet kContainerFields{".count", ".obj"};
enum ContainerField : int { kContainerCount, kContainerObj };

// A field's name in a refusal: its key after the last '.', without the bar
// and blank that end some keys.
std::string_view FieldName(std::string_view key) {
    key = key.substr(key.rfind('.') + 1);
    while (key.ends_with(' ') || key.ends_with('|')) key.remove_suffix(1);
    return key;
}

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

LineVerdict Stored(bool stored, ImportErrorInfo& error, const BlueprintLine& line, std::string_view name) {
    return stored ? LineVerdict::Read : Refuse(error, line, name);
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
        if (verdict == LineVerdict::Refused) return verdict;
        read = verdict == LineVerdict::Read;
    }
    KeySet::Mask keys = kGroupKeys.Find(line);
    if (keys & Bit(kTraversals1)) keys &= ~Bit(kTraversals2);
    while (keys != 0) {
        const int key = std::countr_zero(keys);
        keys &= ~KeysOfGroup(key);
        LineVerdict verdict = LineVerdict::NotRead;
        // What throws here is the memory running out: that group's work on
        // the line ends, and the other groups still read it.
        try {
            verdict = ReadGroup(key, line, error);
        } catch (...) {
        }
        if (verdict == LineVerdict::Refused) return verdict;
        read = read || verdict == LineVerdict::Read;
    }
    return read ? LineVerdict::Read : LineVerdict::NotRead;
}

LineVerdict LayoutReader::ReadGroup(int key, const BlueprintLine& line, ImportErrorInfo& error) {
    const std::string_view name = kGroupNames[key];
    switch (key) {
        case kAddToInventoryOnDestroy:
            if (Form* form = BoundForm(line)) {
                layout_.addToInventoryForm = form;
                return LineVerdict::Read;
            }
            return Refuse(error, line, name);
        case kRootAnimGraph:
            return ReadText(line, layout_.rootAnimGraph);
        case kRigFile:
            return ReadText(line, layout_.rigFile);
        case kAnimPath:
            return ReadText(line, layout_.animPath);
        case kResponseFile:
            return ReadText(line, layout_.responseFile);
        case kKeywordForm:
        case kAttachParentArray:
            // The index is not read: keywords are kept in file order.
            if (Form* keyword = FormOfType(line, veltrane::kFormTypeKeyword)) {
                (key == kKeywordForm ? layout_.keywords : layout_.attachParentKeywords).push_back(keyword);
                return LineVerdict::Read;
            }
            return Refuse(error, line, name);
        case kPropertySheet:
            return ReadPropertySheet(line, error);
        case kAIActor:
            if (Form* actor = FormOfType(line, veltrane::kFormTypeNPC)) {
                layout_.aiActor = actor;
                return LineVerdict::Read;
            }
            return Refuse(error, line, name);
        case kVoiceType:
            if (Form* voice = FormOfType(line, veltrane::kFormTypeVoiceType)) {
                layout_.voiceType = voice;
                return LineVerdict::Read;
            }
            return Refuse(error, line, name);
        case kWeaponSlot1:
            return Stored(ReadUInt32(line, layout_.weaponSlot1), error, line, name);
        case kWeaponSlot2:
            return Stored(ReadUInt32(line, layout_.weaponSlot2), error, line, name);
        case kWeaponSlot3:
            return Stored(ReadUInt32(line, layout_.weaponSlot3), error, line, name);
        case kTraversals1:
            return ReadTraversals1(line, error);
        case kTraversals2:
            return ReadTraversals2(line, error);
        case kBlueprint:
            return ReadBlueprint(line, error);
        case kContainerByName:
        case kContainerByIndex:
            return ReadContainer(line, error);
        case kDisplayName:
            return ReadOptionalText(line, layout_.displayName);
        case kFullName:
            return ReadText(line, layout_.fullName);
        case kModel:
            return ReadText(line, layout_.model);
        case kHullCode:
            return ReadOptionalText(line, layout_.hullCode);
        default:
            return LineVerdict::NotRead;
    }
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
    if (value > fCurrentBlueprintVersion) {
        return Refuse(error, line, kName, {},
                      "blueprint's version [" + text + "] is higher than the version supported by the importer [" +
                          kCurrentBlueprintVersionText + "], please update Corvanis");
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
            if (first == nullptr) return Refuse(error, line, kName);
            sheet.push_back({first, nullptr, 0.0f});
            return LineVerdict::Read;
        }
        case kPropertySecond: {
            const std::int32_t index = GetLineIndex(line);
            if (!InRange(index, sheet.size())) return LineVerdict::NotRead;
            Form* second = ResolveFormReference(line, forms_);
            if (second == nullptr) return LineVerdict::NotRead;
            sheet[index].second = second;
            return LineVerdict::Read;
        }
        case kPropertyThird: {
            const std::int32_t index = GetLineIndex(line);
            if (!InRange(index, sheet.size())) return LineVerdict::NotRead;
            return Stored(ReadFloat(line, sheet[index].third), error, line, kName);
        }
        default:
            return LineVerdict::NotRead;
    }
}

LineVerdict LayoutReader::ReadTraversals1(const BlueprintLine& line, ImportErrorInfo& error) {
    const int field = kTraversalFields.First(line);
    if (field < 0) return LineVerdict::NotRead;
    std::vector<veltrane::TraversalRecord>& traversals = layout_.traversals1;
    const std::int32_t index = GetLineIndex(line);
    const bool created = field == kNewTraversalField && IsNext(index, traversals.size());
    if (created) AddElement(traversals, traversal1Lines_, line);
    if (!InRange(index, traversals.size()) || !SetTraversalField(field, line, traversals[index])) {
        if (created) RemoveLastElement(traversals, traversal1Lines_);
        return Refuse(error, line, kGroupNames[kTraversals1], FieldName(kTraversalFields.Key(field)));
    }
    return LineVerdict::Read;
}

LineVerdict LayoutReader::ReadTraversals2(const BlueprintLine& line, ImportErrorInfo& error) {
    if (HasKey(line, "].traversals")) return ReadInnerTraversal(kInnerTraversalFields.First(line), line, error);
    const int field = kTraversalGroupFields.First(line);
    if (field < 0) return LineVerdict::NotRead;
    std::vector<TraversalGroupEntry>& groups = layout_.traversals2;
    const std::int32_t index = GetLineIndex(line);
    // A group without traversals has only these lines: its first makes it.
    const bool created = field == kNewTraversalGroupField && IsNext(index, groups.size());
    if (created) AddElement(groups, traversal2Lines_, std::vector<BlueprintLine>{});
    if (InRange(index, groups.size())) {
        TraversalGroupEntry& group = groups[index];
        float* const targets[] = {&group.unk14, &group.unk18, &group.unk1C, &group.unk20, &group.unk24};
        if (ReadFloat(line, *targets[field])) return LineVerdict::Read;
    }
    if (created) RemoveLastElement(groups, traversal2Lines_);
    return Refuse(error, line, "QRNStoredTraversalData.traversals2|traversals",
                  FieldName(kTraversalGroupFields.Key(field)));
}

LineVerdict LayoutReader::ReadInnerTraversal(int field, const BlueprintLine& line, ImportErrorInfo& error) {
    if (field < 0) return LineVerdict::NotRead;
    std::vector<TraversalGroupEntry>& groups = layout_.traversals2;
    const std::int32_t outer = GetLineIndex(line);
    const std::int32_t inner = GetLineInnerIndex(line);
    // The line that makes a traversal makes its group too when the group is
    // the next one.
    const bool creating = field == kNewTraversalField;
    const bool createdGroup = creating && IsNext(outer, groups.size());
    if (createdGroup) AddElement(groups, traversal2Lines_, std::vector<BlueprintLine>{});
    if (InRange(outer, groups.size())) {
        std::vector<veltrane::TraversalRecord>& traversals = groups[outer].traversals;
        std::vector<BlueprintLine>& firstLines = traversal2Lines_[outer];
        const bool createdTraversal = creating && IsNext(inner, traversals.size());
        if (createdTraversal) AddElement(traversals, firstLines, line);
        if (InRange(inner, traversals.size()) && SetTraversalField(field, line, traversals[inner])) {
            return LineVerdict::Read;
        }
        if (createdTraversal) RemoveLastElement(traversals, firstLines);
    }
    if (createdGroup) RemoveLastElement(groups, traversal2Lines_);
    return Refuse(error, line, "QRNStoredTraversalData.traversals2|traversals",
                  FieldName(kInnerTraversalFields.Key(field)));
}

bool LayoutReader::SetTraversalField(int field, const BlueprintLine& line, veltrane::TraversalRecord& traversal) {
    switch (field) {
        case 0: return ReadFloat(line, traversal.unk00);
        case 1: return ReadFloat(line, traversal.unk04);
        case 2: return ReadFloat(line, traversal.unk08);
        case 3: return ReadUInt32(line, traversal.unk0C);
        case 4:
            if (Form* form = FormOfType(line, veltrane::kFormTypeTraversal)) {
                traversal.traversal = form;
                return true;
            }
            return false;
        case 5: return ReadFloat(line, traversal.fFromX);
        case 6: return ReadFloat(line, traversal.fFromY);
        case 7: return ReadFloat(line, traversal.fFromZ);
        case 8: return ReadFloat(line, traversal.fToX);
        case 9: return ReadFloat(line, traversal.fToY);
        case 10: return ReadFloat(line, traversal.fToZ);
        case 11: return ReadFloat(line, traversal.fUnknown30);
        case 12: return ReadFloat(line, traversal.fUnknown34);
        case 13:
        case 14: return ReadUInt32(line, traversal.uUnknown38);
        case 15:
        case 16: return ReadUInt32(line, traversal.uUnknown3C);
        case 17: return ReadUInt32(line, traversal.unk40);
        default: return false;
    }
}

LineVerdict LayoutReader::ReadBlueprint(const BlueprintLine& line, ImportErrorInfo& error) {
    // A module's line as the exporter writes it: no key of the table stands
    // in another, so the search would find ".data[" and this field and no
    // other. (Reading these without the search took the reading of a
    // million-line blueprint from 71 to 60 ms.)
    if (ElementKey key; SplitExportedElementKey(line.KeyPart(), kModuleMarker, key)) {
        if (const int field = kBlueprintFields.Which(key.field); field >= kFirstPartField) {
            return ReadPart(field, key.index, line, error);
        }
    }
    const KeySet::Mask fields = kBlueprintFields.Find(line);
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

LineVerdict LayoutReader::ReadPart(int field, std::int32_t index, const BlueprintLine& line, ImportErrorInfo& error) {
    std::vector<PartEntry>& parts = layout_.parts;
    const bool created = field == kNewPartField && IsNext(index, parts.size());
    if (created) AddElement(parts, partLines_, line);
    if (!InRange(index, parts.size()) || !SetPartField(field, line, parts[index])) {
        if (created) RemoveLastElement(parts, partLines_);
        return Refuse(error, line, "Blueprint|data", FieldName(kBlueprintFields.Key(field)));
    }
    return LineVerdict::Read;
}

bool LayoutReader::SetPartField(int field, const BlueprintLine& line, PartEntry& part) {
    veltrane::BlueprintPartRecord& record = part.record;
    switch (field - kFirstPartField) {
        case 0: return ReadFloat(line, record.fPosX);
        case 1: return ReadFloat(line, record.fPosY);
        case 2: return ReadFloat(line, record.fPosZ);
        case 3: return ReadFloat(line, record.fRotX);
        case 4: return ReadFloat(line, record.fRotY);
        case 5: return ReadFloat(line, record.fRotZ);
        case 6: return ReadFloatAsWhole(line, record.partID);
        case 7: return ReadFloat(line, record.unk1C);
        case 8: return ReadFloat(line, record.unk20);
        case 9: return ReadFloat(line, record.unk24);
        case 10: return ReadFloat(line, record.unk28);
        case 11: return ReadFloat(line, record.unk2C);
        case 12: return ReadFloat(line, record.unk30);
        case 13: return ReadFloat(line, record.unk34);
        case 14: return ReadFloatAsWhole(line, record.unk38);
        case 15: return ReadFloatAsWhole(line, record.unk39);
        case 16: return ReadFloatAsWhole(line, record.unk3A);
        case 17: return ReadFloatAsWhole(line, record.unk3B);
        case 18: {
            // Kept both ways: the blueprint's version decides which the ship
            // gets, and a version line may come after the modules.
            float value = 0.0f;
            if (!ParseLineFiniteFloat(line, value)) return false;
            std::uint8_t legacy = 0;
            ReadFloatAsWhole(line, legacy);
            record.unk3C = value;
            part.uLegacyUnk3C = legacy;
            return true;
        }
        case 19: return ReadFloatAsWhole(line, record.unk40);
        case 20: return ReadFloatAsWhole(line, record.unk44);
        // The 80 bytes cannot be split back out of their text, which leaves
        // out leading zeros; a module keeps them zero. A layout backup writes
        // two digits for every byte: there they read back.
        case 21:
            if (layout_.backup == BackupKind::Layout) return ReadTwoDigitBytes(GetLineValue(line), record.unk48_98);
            return !GetLineValue(line).empty();
        case 22:
            if (Form* item = FormOfType(line, veltrane::kFormTypeGenericBaseForm)) {
                record.item = item;
                return true;
            }
            return false;
        case 23: return ReadUInt32(line, record.unkA0);
        case 24: return ReadUInt32(line, record.unkA4);
        default: return false;
    }
}

LineVerdict LayoutReader::ReadContainer(const BlueprintLine& line, ImportErrorInfo& error) {
    const int field = kContainerFields.First(line);
    if (field < 0) return LineVerdict::NotRead;
    std::vector<ContainerEntry>& entries = layout_.container;
    const std::int32_t index = GetLineIndex(line);
    if (field == kContainerCount) {
        std::int32_t count = 0;
        if (ParseLineInt32(line, count)) {
            if (IsNext(index, entries.size())) entries.push_back({0, nullptr, {}});
            if (InRange(index, entries.size())) {
                entries[index].count = count;
                return LineVerdict::Read;
            }
        }
        return Refuse(error, line, "KORContainer", "count");
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
    return Refuse(error, line, "KORContainer", "obj");
}

std::vector<IncompleteElement> LayoutReader::Finish() {
    std::vector<IncompleteElement> incomplete;
    const auto traversalsWithoutForm = [&](const std::vector<veltrane::TraversalRecord>& traversals,
                                           const std::vector<BlueprintLine>& firstLines, std::string_view what) {
        for (std::size_t i = 0; i < traversals.size(); ++i) {
            if (traversals[i].traversal == nullptr) incomplete.push_back({firstLines[i], what, "traversal"});
        }
    };
    traversalsWithoutForm(layout_.traversals1, traversal1Lines_, kGroupNames[kTraversals1]);
    for (std::size_t group = 0; group < layout_.traversals2.size(); ++group) {
        traversalsWithoutForm(layout_.traversals2[group].traversals, traversal2Lines_[group],
                              "QRNStoredTraversalData.traversals2|traversals");
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
    return form != nullptr && HasFormType(forms_, form, type) ? form : nullptr;
}

Form* LayoutReader::BoundForm(const BlueprintLine& line) {
    Form* form = ResolveFormReference(line, forms_);
    return form != nullptr ? forms_.BoundObject(form) : nullptr;
}

}  // namespace Corvanis
