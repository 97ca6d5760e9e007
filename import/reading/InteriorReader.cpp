#include "import/reading/InteriorReader.h"

#include <array>
#include <bit>

#include "format/OptionalLists.h"
#include "import/reading/LineReaders.h"
#include "import/reading/RefusalReasons.h"
#include "import/reading/internal/ElementKey.h"
#include "import/reading/internal/KeySet.h"

namespace Corvanis {

namespace {

// The decoration marker, then the fields in the order a line is searched
// for them.
enum Key : int { kDecoration, kBase, kPosX, kPosY, kPosZ, kRotX, kRotY, kRotZ, kScale, kOverrideName, kWorkshopItem };

constexpr KeySet kKeys{kDecorationItems.key, kDecorationItems.makingField, ".fPosX", ".fPosY", ".fPosZ", ".fRotX",
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

// What a decoration line's key part names: the field it sets (-1 for none)
// and the item's index.
struct DecorationKey {
    int field;
    std::int32_t index;
};

// The key of a decoration line's key part as the exporter writes it, so that
// no other key can stand in it; a field of -1 for any other key part.
DecorationKey ExportedKey(std::string_view keyPart) {
    ElementKey key;
    if (!SplitExportedElementKey(keyPart, kKeys.Key(kDecoration), key)) return {-1, -1};
    const int field = kKeys.Which(key.field);
    return field >= kBase ? DecorationKey{field, key.index} : DecorationKey{-1, -1};
}

// The key a decoration line names; a field of -1 for a line that sets none.
DecorationKey KeyOf(const BlueprintLine& line) {
    const std::string_view keyPart = line.KeyPart();
    if (const DecorationKey key = ExportedKey(keyPart); key.field >= 0) return key;
    // Most other lines of a blueprint are no decoration lines at all.
    if (keyPart.find(kKeys.Key(kDecoration)) == std::string_view::npos) return {-1, -1};
    const KeySet::Mask keys = kKeys.Find(line);
    constexpr KeySet::Mask kDecorationBit = KeySet::Mask{1} << kDecoration;
    if ((keys & kDecorationBit) == 0 || keys == kDecorationBit) return {-1, -1};
    return {std::countr_zero(keys & ~kDecorationBit), GetLineIndex(line)};
}

}  // namespace

LineVerdict InteriorReader::ReadLine(const BlueprintLine& line, ImportErrorInfo& error) {
    if (IsShipLine(line)) return LineVerdict::NotRead;
    const DecorationKey key = KeyOf(line);
    if (key.field < 0) {
        if (line.KeyPart().starts_with(kPlacedByImportMarker)) return ReadPlacedByImport(line);
        if (const BackupKind backup = BackupLineKind(line); backup != BackupKind::None) {
            backup_ = backup;
            return LineVerdict::Read;
        }
        return LineVerdict::NotRead;
    }
    LineVerdict verdict = LineVerdict::NotRead;
    try {
        verdict = ReadField(key.field, key.index, line);
    } catch (...) {
        // What throws here is the memory running out while a value is
        // stored: the line is left out, and reading goes on.
        return LineVerdict::NotRead;
    }
    if (verdict == LineVerdict::Refused) {
        error.sPhase = std::string(kPhases[key.field]) + " at " + std::string(line.Text());
        error.sExtraErrorText.clear();
    }
    return verdict;
}

LineVerdict InteriorReader::ReadField(int field, std::int32_t index, const BlueprintLine& line) {
    if (float DecorItemRecord::*value = kFloats[field]) {
        float read = 0.0f;
        const bool parsed = ParseLineFiniteFloat(line, read);
        DecorItemRecord* item = IndexedItem(index);
        // A refused line is there all the same: it is not missing as well.
        if (item != nullptr) Seen(index, field, line);
        if (!parsed) return Refuse(kNotANumberReason);
        if (item == nullptr) return Refuse(kNoSuchItem);
        item->*value = read;
        if (notes_ != nullptr) {
            notes_->NumberRead(line, NumberKind::Float);
            if (field == kScale) notes_->ScaleRead(line, read);
        }
        return LineVerdict::Read;
    }
    if (field == kBase) return ReadBase(index, line);
    if (field == kOverrideName) {
        const std::string_view name = GetLineValue(line);
        // An empty name leaves every item as it is.
        if (name.empty()) return LineVerdict::NotRead;
        DecorItemRecord* item = IndexedItem(index);
        if (item == nullptr) return Refuse(kNoSuchItem);
        item->overrideName = name;
        return LineVerdict::Read;
    }
    DecorItemRecord* item = IndexedItem(index);
    if (item == nullptr) return Refuse(kNoSuchItem);
    item->bWorkshopItem = true;
    return LineVerdict::Read;
}

LineVerdict InteriorReader::ReadBase(std::int32_t index, const BlueprintLine& line) {
    veltrane::Form* form = ResolveFormReference(line, forms_);
    if (static_cast<std::size_t>(index) == items_.size()) items_.emplace_back();
    if (IndexedItem(index) != nullptr) Seen(index, kBase, line);
    if (form == nullptr) return Refuse(UnresolvedFormReason(line, forms_));
    DecorItemRecord* item = IndexedItem(index);
    if (item == nullptr) return Refuse("the index is neither the next item's nor an earlier item's");
    veltrane::Form* base = forms_.BoundObject(form);
    if (base == nullptr) return Refuse(kNotPlaceableReason);
    item->base = base;
    if (notes_ != nullptr) notes_->FormReferenceRead(line);
    return LineVerdict::Read;
}

LineVerdict InteriorReader::ReadPlacedByImport(const BlueprintLine& line) {
    const std::string_view value = line.ValuePart();
    const std::uint32_t formID = ParseHexFormID(value.substr(0, value.find('|')));
    veltrane::Form* base = ResolveFormReference(line, forms_);
    // A reference that cannot be found again is left where it stands.
    if (formID == 0 || base == nullptr) return LineVerdict::NotRead;
    placedByImport_.push_back({formID, base});
    return LineVerdict::Read;
}

void InteriorReader::Seen(std::int32_t index, int field, const BlueprintLine& line) {
    const auto at = static_cast<std::size_t>(index);
    if (itemLines_.size() <= at) itemLines_.resize(at + 1);
    if (field == kBase) itemLines_[at].base = line;
    itemLines_[at].fields |= static_cast<std::uint16_t>(1u << field);
}

void InteriorReader::Finish() {
    if (notes_ == nullptr) return;
    for (std::size_t index = 0; index < itemLines_.size(); ++index) {
        std::string missing;
        int count = 0;
        for (int field = kPosX; field <= kScale; ++field) {
            if ((itemLines_[index].fields & (1u << field)) != 0) continue;
            missing += (count++ == 0 ? "" : ", ") + std::string(kKeys.Key(static_cast<std::size_t>(field)).substr(1));
        }
        if (count > 0) notes_->FieldsMissing(itemLines_[index].base, index, missing, count > 1);
    }
}

LineVerdict InteriorReader::Refuse(const char* reason) {
    refusalReason_ = reason;
    return LineVerdict::Refused;
}

DecorItemRecord* InteriorReader::IndexedItem(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

}  // namespace Corvanis
