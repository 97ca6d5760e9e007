// The second pass over the forms: what any form may carry (a name, keywords,
// the files that define or change it), then what its kind carries.
#include <cstdint>
#include <string>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "sim/worldfile/RecordReader.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

using veltrane::FileRecord;
using veltrane::Form;

FileRecord* ReadFileListEntry(const Entry& file, const FormResolver& resolver) {
    if (file.IsNull()) return nullptr;
    if (file.Value().is_object()) {
        // An entry that points at another kind of object.
        file.AllowOnly({"object"});
        return reinterpret_cast<FileRecord*>(resolver.Form(file.Field("object")));
    }
    const std::string name = file.String();
    FileRecord* record = resolver.TheWorld().FindFile(name);
    if (record == nullptr) file.Fail("no loaded file is named \"" + name + "\"");
    return record;
}

// Without "files" a form from a data file lists the file that defines it.
void ReadFileList(PendingForm& pending, const FormResolver& resolver) {
    const Entry& entry = pending.entry;
    const auto files = entry.Optional("files");
    const auto index = entry.Optional("fileListIndex");
    if (files && index) index->Fail("give \"files\" or \"fileListIndex\", not both");
    if (index) {
        pending.form->fileListIndex = static_cast<std::uint16_t>(index->Unsigned(0xFFFF));
        return;
    }
    std::vector<FileRecord*> entries;
    if (files) {
        if (files->IsNull()) return;
        for (const Entry& file : files->Elements()) entries.push_back(ReadFileListEntry(file, resolver));
    } else if (pending.file != nullptr) {
        entries.push_back(const_cast<FileRecord*>(pending.file));
    } else {
        return;
    }
    pending.form->fileListIndex = resolver.TheWorld().Lists().Intern(entries);
    if (pending.form->fileListIndex == veltrane::kNoFileList) entry.Fail("too many different file lists");
}

void FillPlainForm(const Entry& entry, Form& form, const FormResolver& resolver) {
    if (auto placement = entry.Optional("placement")) {
        const std::string text = placement->String();
        if (text == "normal") {
            form.placement = Placement::Normal;
        } else if (text == "refused") {
            form.placement = Placement::Refused;
        } else if (text == "vanishes") {
            form.placement = Placement::Vanishes;
        } else if (text == "withoutExtraData") {
            form.placement = Placement::WithoutExtraData;
        } else {
            placement->Fail("must be \"normal\", \"refused\", \"vanishes\" or \"withoutExtraData\"");
        }
    }
    if (auto components = entry.Optional("components")) ReadComponents(*components, form, resolver);
}

}  // namespace

void FillForm(PendingForm& pending, const FormResolver& resolver) {
    const Entry& entry = pending.entry;
    Form& form = *pending.form;
    if (auto name = entry.Optional("name")) form.displayName = name->String();
    if (auto keywords = entry.Optional("keywords")) {
        form.hasKeywordList = true;
        for (const Entry& keyword : keywords->Elements()) form.keywords.push_back(resolver.FormOrNull(keyword));
    }
    ReadFileList(pending, resolver);
    switch (pending.kind) {
        case FormKind::Plain: FillPlainForm(entry, form, resolver); break;
        case FormKind::Cell: FillCell(entry, form, resolver); break;
        case FormKind::Reference: FillReference(entry, form, resolver); break;
    }
}

}  // namespace sim
