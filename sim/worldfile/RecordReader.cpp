#include "sim/worldfile/RecordReader.h"

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "sim/memory/FixedStrings.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/Components.h"
#include "sim/world/Records.h"

namespace sim {

namespace {

using namespace veltrane;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void ReadBytes80(const Entry& entry, std::uint8_t* bytes) {
    const std::string text = entry.String();
    if (text.size() != 160) entry.Fail("must be 160 hexadecimal digits (80 bytes)");
    for (std::size_t i = 0; i < 80; ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) entry.Fail("must be 160 hexadecimal digits (80 bytes)");
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
}

void ReadField(const Entry& entry, const FieldDesc& field, void* record, const FormResolver& resolver) {
    switch (field.kind) {
        case FieldKind::Float: FieldAt<float>(record, field) = entry.Float(); break;
        case FieldKind::U32:
            FieldAt<std::uint32_t>(record, field) =
                static_cast<std::uint32_t>(entry.Unsigned(std::numeric_limits<std::uint32_t>::max()));
            break;
        case FieldKind::I32:
            FieldAt<std::int32_t>(record, field) = static_cast<std::int32_t>(
                entry.Signed(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
            break;
        case FieldKind::U8: FieldAt<std::uint8_t>(record, field) = static_cast<std::uint8_t>(entry.Unsigned(255)); break;
        case FieldKind::U64:
            FieldAt<std::uint64_t>(record, field) = entry.Unsigned(std::numeric_limits<std::uint64_t>::max());
            break;
        case FieldKind::Form: FieldAt<Form*>(record, field) = resolver.FormOrNull(entry); break;
        case FieldKind::String:
            FixedStringAssign(&FieldAt<FixedString>(record, field), entry.String().c_str());
            break;
        case FieldKind::Bytes80: ReadBytes80(entry, &FieldAt<std::uint8_t>(record, field)); break;
        case FieldKind::ItemExtra:
            if (entry.IsNull()) {
                FieldAt<ExtraDataList*>(record, field) = nullptr;
            } else {
                ExtraDataList* extra = resolver.TheWorld().NewExtraData();
                FieldAt<ExtraDataList*>(record, field) = extra;
                ReadExtraData(entry, *extra, resolver);
            }
            break;
    }
}

std::vector<std::string> FieldNames(std::span<const FieldDesc> fields, std::initializer_list<const char*> more) {
    std::vector<std::string> names(more.begin(), more.end());
    for (const FieldDesc& field : fields) names.emplace_back(field.name);
    return names;
}

// Fields left out keep their zero.
void ReadRecordFields(const Entry& entry, std::span<const FieldDesc> fields, void* record,
                      const FormResolver& resolver, std::initializer_list<const char*> listKeys = {}) {
    entry.AllowOnly(FieldNames(fields, listKeys));
    for (const FieldDesc& field : fields) {
        if (auto value = entry.Optional(field.name)) ReadField(*value, field, record, resolver);
    }
}

// "emptyInImage" in place of a list: an empty list whose storage is the
// game's shared empty storage, not a block of its heap.
template <class Record>
bool ReadEmptyInImage(const std::optional<Entry>& entry, CountedArray<Record>& list) {
    if (!entry || !entry->Value().is_string()) return false;
    if (entry->String() != "emptyInImage") entry->Fail("must be a list or \"emptyInImage\"");
    list.data = static_cast<Record*>(SharedEmptyListStorage());
    return true;
}

void ReadFormList(const std::optional<Entry>& entry, CountedArray<Form*>& list, std::uint32_t spare,
                  const FormResolver& resolver) {
    if (ReadEmptyInImage(entry, list)) return;
    const std::vector<Entry> elements = entry ? entry->Elements() : std::vector<Entry>{};
    GameArrayReserveExact(list.Header(), static_cast<std::uint32_t>(elements.size()) + spare, sizeof(Form*));
    for (const Entry& element : elements) list.data[list.count++] = resolver.FormOrNull(element);
}

// Each element is counted before it is read, so that a failure still frees
// the lists inside it; the storage comes zeroed, so an element a failure cut
// short holds no stray pointers.
template <class Record, class ReadOne>
void ReadRecordList(const std::optional<Entry>& entry, CountedArray<Record>& list, ReadOne readOne) {
    if (ReadEmptyInImage(entry, list)) return;
    const std::vector<Entry> elements = entry ? entry->Elements() : std::vector<Entry>{};
    GameArrayReserveExact(list.Header(), static_cast<std::uint32_t>(elements.size()), sizeof(Record));
    for (const Entry& element : elements) readOne(element, list.data[list.count++]);
}

void ReadTraversals(const std::optional<Entry>& entry, CountedArray<TraversalRecord>& list,
                    const FormResolver& resolver) {
    ReadRecordList(entry, list, [&](const Entry& element, TraversalRecord& record) {
        ReadRecordFields(element, TraversalFields(), &record, resolver);
    });
}

void ReadAttachParents(const Entry& entry, AttachParentArrayComponent& component, const FormResolver& resolver) {
    entry.AllowOnly({"keywords", "count", "terminated"});
    // The game mostly keeps an empty entry after the list, but nothing says it
    // must: a world may end the storage with the last entry listed.
    const bool terminated = !entry.Has("terminated") || entry.Field("terminated").Bool();
    ReadFormList(entry.Optional("keywords"), component.keywords, terminated ? 1 : 0, resolver);
    const std::uint32_t listed = component.keywords.count;
    if (terminated) component.keywords.data[listed] = nullptr;
    if (auto count = entry.Optional("count")) {
        component.keywords.count = static_cast<std::uint32_t>(count->Unsigned(listed));
    }
}

void ReadPropertySheet(const Entry& entry, PropertySheetComponent& component, const FormResolver& resolver) {
    entry.AllowOnly({"sheet"});
    const Entry sheet = entry.Field("sheet");
    if (sheet.IsNull()) return;
    component.sheet = static_cast<PropertySheet*>(GameAllocate(sizeof(PropertySheet)));
    std::memset(static_cast<void*>(component.sheet), 0, sizeof(PropertySheet));
    ReadRecordList(std::optional<Entry>(sheet), component.sheet->entries,
                   [&](const Entry& element, PropertySheetEntryRecord& record) {
                       ReadRecordFields(element, PropertySheetEntryFields(), &record, resolver);
                   });
}

// A base form the game made from another shares its groups' lists with it:
// the group takes the very list of a group of a form read before.
void ShareTraversals(const Entry& entry, TraversalGroupRecord& group, const FormResolver& resolver) {
    entry.AllowOnly({"form", "group"});
    Form* owner = resolver.Form(entry.Field("form"));
    const auto* stored = static_cast<const StoredTraversalsComponent*>(
        FindComponentOfType(owner, ComponentKind::StoredTraversals));
    const std::uint64_t index = entry.Field("group").Unsigned(std::numeric_limits<std::uint32_t>::max());
    if (stored == nullptr || index >= stored->traversals2.count) {
        entry.Fail("must name a group of traversals of a form listed before");
    }
    group.traversals = stored->traversals2.data[index].traversals;
}

void ReadStoredTraversals(const Entry& entry, StoredTraversalsComponent& component, const FormResolver& resolver) {
    entry.AllowOnly({"traversals1", "traversals2"});
    ReadTraversals(entry.Optional("traversals1"), component.traversals1, resolver);
    ReadRecordList(entry.Optional("traversals2"), component.traversals2,
                   [&](const Entry& element, TraversalGroupRecord& group) {
                       ReadRecordFields(element, TraversalGroupFields(), &group, resolver,
                                        {"traversals", "traversalsOf"});
                       if (auto shared = element.Optional("traversalsOf")) {
                           if (element.Has("traversals")) element.Fail("has both traversals and traversalsOf");
                           ShareTraversals(*shared, group, resolver);
                       } else {
                           ReadTraversals(element.Optional("traversals"), group.traversals, resolver);
                       }
                   });
}

void ReadComponent(const Entry& entry, const ComponentType& type, void* record, const FormResolver& resolver) {
    switch (type.kind) {
        case ComponentKind::KeywordForm:
            entry.AllowOnly({"keywords"});
            ReadFormList(entry.Optional("keywords"), static_cast<KeywordFormComponent*>(record)->keywords, 0,
                         resolver);
            break;
        case ComponentKind::AttachParentArray:
            ReadAttachParents(entry, *static_cast<AttachParentArrayComponent*>(record), resolver);
            break;
        case ComponentKind::PropertySheet:
            ReadPropertySheet(entry, *static_cast<PropertySheetComponent*>(record), resolver);
            break;
        case ComponentKind::StoredTraversals:
            ReadStoredTraversals(entry, *static_cast<StoredTraversalsComponent*>(record), resolver);
            break;
        case ComponentKind::Blueprint:
            ReadRecordFields(entry, type.scalarFields, record, resolver, {"data"});
            ReadRecordList(entry.Optional("data"), static_cast<BlueprintComponent*>(record)->data,
                           [&](const Entry& element, BlueprintPartRecord& part) {
                               ReadRecordFields(element, ModuleFields(), &part, resolver);
                           });
            break;
        case ComponentKind::Container:
            entry.AllowOnly({"entries"});
            ReadRecordList(entry.Optional("entries"), static_cast<ContainerComponent*>(record)->entries,
                           [&](const Entry& element, ContainerEntryRecord& item) {
                               ReadRecordFields(element, ContainerEntryFields(), &item, resolver);
                           });
            break;
        default:
            ReadRecordFields(entry, type.scalarFields, record, resolver);
            break;
    }
}

}  // namespace

void ReadComponents(const Entry& components, Form& form, const FormResolver& resolver) {
    components.RequireObject();
    for (const auto& member : components.Value().items()) {
        const Entry entry(member.value(), components.MemberPath(member.key()));
        const ComponentType* type = FindComponentType(member.key());
        if (type == nullptr) entry.Fail("unknown component type");
        void* record = CreateComponentRecord(*type);
        form.components.push_back({type, record});
        entry.RequireObject();
        ReadComponent(entry, *type, record, resolver);
    }
}

void ReadExtraData(const Entry& entry, ExtraDataList& extra, const FormResolver& resolver) {
    entry.AllowOnly({"editorID", "name", "formID", "links"});
    if (auto editorID = entry.Optional("editorID")) extra.editorID = editorID->String();
    if (auto name = entry.Optional("name")) extra.overrideName = name->String();
    if (auto formID = entry.Optional("formID")) extra.formID = resolver.FormID(*formID);
    if (auto links = entry.Optional("links")) {
        for (const Entry& link : links->Elements()) {
            link.AllowOnly({"keyword", "target", "persist"});
            Form* keyword = resolver.FormOrNull(link.Field("keyword"));
            Form* target = resolver.Form(link.Field("target"));
            if (target->kind != FormKind::Reference) link.Field("target").Fail("must name a reference");
            const bool persist = link.Has("persist") ? link.Field("persist").Bool() : true;
            for (const ReferenceLink& existing : extra.links) {
                if (existing.keyword == keyword) link.Fail("a second link under the same keyword");
            }
            extra.links.push_back({keyword, target, persist});
            ++target->ref->linksToIt;
        }
    }
}

}  // namespace sim
