#include "sim/worldfile/RecordWriter.h"

#include "sim/memory/GameMemory.h"
#include "sim/world/Components.h"
#include "sim/world/Records.h"
#include "sim/worldfile/FormRefText.h"

namespace sim {

namespace {

using namespace veltrane;

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += HexID(bytes[i], 2);
    return text;
}

Json FieldJson(const World& world, const FieldDesc& field, const void* record) {
    switch (field.kind) {
        case FieldKind::Float: return FloatToJson(FieldAt<float>(record, field));
        case FieldKind::U32: return FieldAt<std::uint32_t>(record, field);
        case FieldKind::I32: return FieldAt<std::int32_t>(record, field);
        case FieldKind::U8: return FieldAt<std::uint8_t>(record, field);
        case FieldKind::U64: return FieldAt<std::uint64_t>(record, field);
        case FieldKind::Form: return FormRefJson(world, FieldAt<Form*>(record, field));
        case FieldKind::String: return std::string(FixedStringText(FieldAt<FixedString>(record, field)));
        case FieldKind::Bytes80: return HexBytes(&FieldAt<std::uint8_t>(record, field), 80);
        case FieldKind::ItemExtra: {
            const ExtraDataList* extra = FieldAt<ExtraDataList*>(record, field);
            return extra == nullptr ? Json(nullptr) : WriteExtraData(world, *extra);
        }
    }
    return nullptr;
}

void AddFields(const World& world, std::span<const FieldDesc> fields, const void* record, Json& out) {
    for (const FieldDesc& field : fields) out[field.name] = FieldJson(world, field, record);
}

Json RecordJson(const World& world, std::span<const FieldDesc> fields, const void* record) {
    Json out = Json::object();
    AddFields(world, fields, record, out);
    return out;
}

// The game's shared empty storage is written as the world file stages it.
bool IsEmptyInImage(const void* data, std::uint32_t capacity) {
    return capacity == 0 && data == SharedEmptyListStorage();
}

Json FormListJson(const World& world, const Form* const* forms, std::uint32_t count) {
    if (count == 0 && forms == SharedEmptyListStorage()) return "emptyInImage";
    Json list = Json::array();
    for (std::uint32_t i = 0; i < count; ++i) list.push_back(FormRefJson(world, forms[i]));
    return list;
}

template <class Record>
Json RecordListJson(const World& world, const CountedArray<Record>& list, std::span<const FieldDesc> fields) {
    if (IsEmptyInImage(list.data, list.capacity)) return "emptyInImage";
    Json out = Json::array();
    for (const Record& record : list) out.push_back(RecordJson(world, fields, &record));
    return out;
}

Json AttachParentsJson(const World& world, const AttachParentArrayComponent& component) {
    Json out = Json::object();
    out["keywords"] = FormListJson(world, component.keywords.data, StoredAttachParents(component));
    out["count"] = component.keywords.count;
    const std::uint32_t capacity = component.keywords.capacity;
    if (capacity == 0 || component.keywords.data[capacity - 1] != nullptr) out["terminated"] = false;
    return out;
}

// The form written before `form` whose group holds the same list, as the
// world file stages a list shared between forms.
Json SharedTraversalsJson(const World& world, const Form& form, const void* list) {
    if (list == nullptr) return nullptr;
    for (const Form* earlier : world.FormsOfKind(FormKind::Plain)) {
        if (earlier == &form) break;
        const auto* stored = static_cast<const StoredTraversalsComponent*>(
            FindComponentOfType(earlier, ComponentKind::StoredTraversals));
        if (stored == nullptr) continue;
        for (std::uint32_t index = 0; index < stored->traversals2.count; ++index) {
            if (stored->traversals2.data[index].traversals.data != list) continue;
            Json shared = Json::object();
            shared["form"] = FormRefJson(world, earlier);
            shared["group"] = index;
            return shared;
        }
    }
    return nullptr;
}

Json TraversalGroupsJson(const World& world, const Form& form, const CountedArray<TraversalGroupRecord>& groups) {
    Json out = Json::array();
    for (const TraversalGroupRecord& group : groups) {
        Json element = Json::object();
        if (Json shared = SharedTraversalsJson(world, form, group.traversals.data); !shared.is_null()) {
            element["traversalsOf"] = std::move(shared);
        } else {
            element["traversals"] = RecordListJson(world, group.traversals, TraversalFields());
        }
        AddFields(world, TraversalGroupFields(), &group, element);
        out.push_back(std::move(element));
    }
    return out;
}

Json BlueprintJson(const World& world, const ComponentType& type, const BlueprintComponent& component) {
    // The module list sits between unk10 and unk28, and is written there.
    Json out = Json::object();
    for (const FieldDesc& field : type.scalarFields) {
        if (field.offset > offsetof(BlueprintComponent, data) && !out.contains("data")) {
            out["data"] = RecordListJson(world, component.data, ModuleFields());
        }
        out[field.name] = FieldJson(world, field, &component);
    }
    return out;
}

Json ComponentJson(const World& world, const Form& form, const ComponentType& type, const void* record) {
    Json out = Json::object();
    switch (type.kind) {
        case ComponentKind::KeywordForm: {
            const auto& keywords = static_cast<const KeywordFormComponent*>(record)->keywords;
            out["keywords"] = FormListJson(world, keywords.data, keywords.count);
            return out;
        }
        case ComponentKind::AttachParentArray:
            return AttachParentsJson(world, *static_cast<const AttachParentArrayComponent*>(record));
        case ComponentKind::PropertySheet: {
            const PropertySheet* sheet = static_cast<const PropertySheetComponent*>(record)->sheet;
            out["sheet"] = sheet == nullptr ? Json(nullptr)
                                            : RecordListJson(world, sheet->entries, PropertySheetEntryFields());
            return out;
        }
        case ComponentKind::StoredTraversals: {
            const auto* traversals = static_cast<const StoredTraversalsComponent*>(record);
            out["traversals1"] = RecordListJson(world, traversals->traversals1, TraversalFields());
            out["traversals2"] = TraversalGroupsJson(world, form, traversals->traversals2);
            return out;
        }
        case ComponentKind::Blueprint:
            return BlueprintJson(world, type, *static_cast<const BlueprintComponent*>(record));
        case ComponentKind::Container:
            out["entries"] = RecordListJson(world, static_cast<const ContainerComponent*>(record)->entries,
                                            ContainerEntryFields());
            return out;
        default:
            AddFields(world, type.scalarFields, record, out);
            return out;
    }
}

}  // namespace

Json FormRefJson(const World& world, const Form* form) {
    return form == nullptr ? Json(nullptr) : Json(FormatFormRef(world, *form));
}

Json FormIDJson(const World& world, std::uint32_t formID) {
    const Form* form = world.LookupAny(formID);
    return form != nullptr ? FormatFormRef(world, *form) : "#" + HexID(formID, 8);
}

Json WriteComponents(const World& world, const Form& form) {
    Json out = Json::object();
    for (const ComponentInstance& component : form.components) {
        out[component.type->name] = ComponentJson(world, form, *component.type, component.record);
    }
    return out;
}

Json WriteExtraData(const World& world, const ExtraDataList& extra) {
    Json out = Json::object();
    if (extra.editorID) out["editorID"] = *extra.editorID;
    if (extra.overrideName) out["name"] = *extra.overrideName;
    if (extra.formID) out["formID"] = FormIDJson(world, *extra.formID);
    if (!extra.links.empty()) {
        Json links = Json::array();
        for (const ReferenceLink& link : extra.links) {
            Json written = Json::object();
            written["keyword"] = FormRefJson(world, link.keyword);
            written["target"] = FormRefJson(world, link.target);
            if (!link.persist) written["persist"] = false;
            links.push_back(std::move(written));
        }
        out["links"] = std::move(links);
    }
    return out;
}

}  // namespace sim
