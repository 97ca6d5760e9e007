#include "import/reading/InteriorReader.h"

#include <array>
#include <exception>

#include "import/reading/LineReaders.h"

namespace Corvanis {

namespace {

struct DecorField {
    DecorItemKey key;
    std::string_view marker;     // what the key part holds
    const char* phase;           // what the import's report calls reading it
    float DecorItemRecord::*value;  // null for the fields that are not floats
};

constexpr std::array<DecorField, 10> kFields{{
    {DecorItemKey::Base, ".base", "importing DecorItem|base", nullptr},
    {DecorItemKey::PosX, ".fPosX", "importing DecorItem|fPosX", &DecorItemRecord::fPosX},
    {DecorItemKey::PosY, ".fPosY", "importing DecorItem|fPosY", &DecorItemRecord::fPosY},
    {DecorItemKey::PosZ, ".fPosZ", "importing DecorItem|fPosZ", &DecorItemRecord::fPosZ},
    {DecorItemKey::RotX, ".fRotX", "importing DecorItem|fRotX", &DecorItemRecord::fRotX},
    {DecorItemKey::RotY, ".fRotY", "importing DecorItem|fRotY", &DecorItemRecord::fRotY},
    {DecorItemKey::RotZ, ".fRotZ", "importing DecorItem|fRotZ", &DecorItemRecord::fRotZ},
    {DecorItemKey::Scale, ".fScale", "importing DecorItem|fScale", &DecorItemRecord::fScale},
    {DecorItemKey::OverrideName, ".overrideName", "importing DecorItem|overrideName", nullptr},
    {DecorItemKey::WorkshopItem, ".bWorkshopItem", "importing DecorItem|bWorkshopItem", nullptr},
}};

constexpr std::string_view kDecorationMarker = "DecorItem[";

const DecorField& FieldOf(DecorItemKey key) { return kFields[static_cast<std::size_t>(key)]; }

DecorLineResult Result(DecorLineVerdict verdict, DecorItemKey key, const char* reason = "") {
    return {verdict, key, true, reason};
}

constexpr const char* kNoSuchItem = "no item has this index: its base line must come first";

}  // namespace

std::string DecorLinePhase(const BlueprintLine& line, const DecorLineResult& result) {
    const char* phase = result.hasKey ? FieldOf(result.key).phase : "importing DecorItem";
    return std::string(phase) + " at " + std::string(line.Text());
}

DecorLineResult InteriorReader::ReadLine(const BlueprintLine& line) {
    if (!HasKey(line, kDecorationMarker)) return {};
    for (const DecorField& field : kFields) {
        if (!HasKey(line, field.marker)) continue;
        try {
            return ReadField(line, field.key);
        } catch (const std::exception&) {
            // Only storing what was read can throw (out of memory); the line
            // is left out as a whole.
            return Result(DecorLineVerdict::Dropped, field.key, "the line could not be stored");
        }
    }
    return {};
}

DecorLineResult InteriorReader::ReadField(const BlueprintLine& line, DecorItemKey key) {
    const DecorField& field = FieldOf(key);
    if (field.value != nullptr) {
        float value = 0.0f;
        if (!ParseLineFloat(line, value)) return Result(DecorLineVerdict::Refused, key, "the value is not a number");
        DecorItemRecord* item = IndexedItem(line);
        if (item == nullptr) return Result(DecorLineVerdict::Refused, key, kNoSuchItem);
        item->*field.value = value;
        return Result(DecorLineVerdict::Accepted, key);
    }
    switch (key) {
        case DecorItemKey::Base:
            return ReadBase(line);
        case DecorItemKey::OverrideName: {
            const std::string_view name = GetLineValue(line);
            // An empty name leaves the item as it is, whatever its index.
            if (name.empty()) return Result(DecorLineVerdict::Accepted, key);
            DecorItemRecord* item = IndexedItem(line);
            if (item == nullptr) return Result(DecorLineVerdict::Refused, key, kNoSuchItem);
            item->overrideName = name;
            return Result(DecorLineVerdict::Accepted, key);
        }
        default: {
            DecorItemRecord* item = IndexedItem(line);
            if (item == nullptr) return Result(DecorLineVerdict::Refused, key, kNoSuchItem);
            item->bWorkshopItem = true;
            return Result(DecorLineVerdict::Accepted, key);
        }
    }
}

DecorLineResult InteriorReader::ReadBase(const BlueprintLine& line) {
    constexpr DecorItemKey key = DecorItemKey::Base;
    veltrane::Form* form = ResolveFormReference(line, forms_);
    if (static_cast<std::size_t>(GetLineIndex(line)) == items_.size()) items_.emplace_back();
    if (form == nullptr) return Result(DecorLineVerdict::Refused, key, "no loaded data file holds the form");
    DecorItemRecord* item = IndexedItem(line);
    if (item == nullptr) {
        return Result(DecorLineVerdict::Refused, key, "the index is neither the next item's nor an earlier item's");
    }
    veltrane::Form* base = forms_.BoundObject(form);
    if (base == nullptr) return Result(DecorLineVerdict::Refused, key, "the form is not a thing that can be placed");
    item->base = base;
    return Result(DecorLineVerdict::Accepted, key);
}

DecorItemRecord* InteriorReader::IndexedItem(const BlueprintLine& line) {
    const std::int32_t index = GetLineIndex(line);
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

bool ReadDecorItems(const BlueprintLines& lines, FormResolver& forms, std::vector<DecorItemRecord>& items,
                    std::string& refusedPhase) {
    InteriorReader reader(forms);
    for (const BlueprintLine& line : lines) {
        const DecorLineResult result = reader.ReadLine(line);
        if (result.verdict == DecorLineVerdict::Refused) {
            refusedPhase = DecorLinePhase(line, result);
            items = reader.TakeItems();
            return false;
        }
    }
    items = reader.TakeItems();
    return true;
}

}  // namespace Corvanis
