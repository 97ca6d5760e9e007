#include "sim/console/commands/ComponentSummary.h"

#include "sim/console/ConsoleText.h"
#include "sim/world/Components.h"

namespace sim {

namespace {

using namespace veltrane;

std::string FieldText(const FieldDesc& field, const void* record) {
    switch (field.kind) {
        case FieldKind::Float: return FloatText(FieldAt<float>(record, field));
        case FieldKind::U32: return std::to_string(FieldAt<std::uint32_t>(record, field));
        case FieldKind::I32: return std::to_string(FieldAt<std::int32_t>(record, field));
        case FieldKind::U8: return std::to_string(FieldAt<std::uint8_t>(record, field));
        case FieldKind::U64: return std::to_string(FieldAt<std::uint64_t>(record, field));
        case FieldKind::Form: return Label(FieldAt<Form*>(record, field));
        case FieldKind::String: return Quoted(FixedStringText(FieldAt<FixedString>(record, field)));
        case FieldKind::Bytes80: return "(80 bytes)";
        case FieldKind::ItemExtra: return FieldAt<ExtraDataList*>(record, field) == nullptr ? "none" : "present";
    }
    return {};
}

std::string FieldsText(std::span<const FieldDesc> fields, const void* record) {
    std::string text;
    for (const FieldDesc& field : fields) {
        if (!text.empty()) text += ", ";
        text += std::string(field.name) + " " + FieldText(field, record);
    }
    return text;
}

std::string FormList(Form* const* forms, std::uint32_t count) {
    std::string text = "[";
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i > 0) text += ", ";
        text += Label(forms[i]);
    }
    return text + "]";
}

std::string Plural(std::uint32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ListSummary(const ComponentType& type, const void* record) {
    switch (type.kind) {
        case ComponentKind::KeywordForm: {
            const auto& list = static_cast<const KeywordFormComponent*>(record)->keywords;
            return "keywords " + FormList(list.data, list.count);
        }
        case ComponentKind::AttachParentArray: {
            const auto& component = *static_cast<const AttachParentArrayComponent*>(record);
            return "count " + std::to_string(component.keywords.count) + ", keywords " +
                   FormList(component.keywords.data, StoredAttachParents(component));
        }
        case ComponentKind::PropertySheet: {
            const PropertySheet* sheet = static_cast<const PropertySheetComponent*>(record)->sheet;
            if (sheet == nullptr) return "no sheet";
            std::string text = "sheet [";
            for (std::uint32_t i = 0; i < sheet->entries.count; ++i) {
                const PropertySheetEntryRecord& entry = sheet->entries.data[i];
                if (i > 0) text += ", ";
                text += "(" + Label(entry.first) + ", " + Label(entry.second) + ", " + FloatText(entry.third) + ")";
            }
            return text + "]";
        }
        case ComponentKind::StoredTraversals: {
            const auto* traversals = static_cast<const StoredTraversalsComponent*>(record);
            std::string text = "traversals1 " + Plural(traversals->traversals1.count, "traversal", "traversals") +
                               ", traversals2 [";
            for (std::uint32_t i = 0; i < traversals->traversals2.count; ++i) {
                if (i > 0) text += ", ";
                text += Plural(traversals->traversals2.data[i].traversals.count, "traversal", "traversals");
            }
            return text + "]";
        }
        case ComponentKind::Blueprint: {
            const auto& modules = static_cast<const BlueprintComponent*>(record)->data;
            std::string text = "data " + Plural(modules.count, "module", "modules") + " [";
            for (std::uint32_t i = 0; i < modules.count; ++i) {
                if (i > 0) text += ", ";
                text += Label(modules.data[i].item);
            }
            return text + "]";
        }
        case ComponentKind::Container: {
            const auto& entries = static_cast<const ContainerComponent*>(record)->entries;
            std::string text = "entries [";
            for (std::uint32_t i = 0; i < entries.count; ++i) {
                const ContainerEntryRecord& entry = entries.data[i];
                if (i > 0) text += ", ";
                text += std::to_string(entry.count) + " x " + Label(entry.obj) +
                        (entry.itemExtra != nullptr ? " with extra" : "");
            }
            return text + "]";
        }
        default:
            return {};
    }
}

}  // namespace

std::string ComponentSummary(const ComponentInstance& component) {
    const std::string fields = FieldsText(component.type->scalarFields, component.record);
    const std::string lists = ListSummary(*component.type, component.record);
    std::string text = std::string(component.type->name) + ":";
    if (!fields.empty()) text += " " + fields;
    if (!lists.empty()) text += (fields.empty() ? " " : ", ") + lists;
    return text;
}

}  // namespace sim
