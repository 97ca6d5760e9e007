#include "sim/console/ConsoleText.h"

#include <charconv>

#include "sim/world/Records.h"
#include "sim/worldfile/FormRefText.h"

namespace sim {

using veltrane::Form;

std::string Label(const Form* form) {
    if (form == nullptr) return "none";
    std::string label = HexID(form->formID, 8);
    if (!form->worldName.empty()) {
        label += " " + form->worldName;
    } else if (!form->editorID.empty()) {
        label += " " + form->editorID;
    } else if (form->ref && form->ref->extra != nullptr && form->ref->extra->editorID &&
               !form->ref->extra->editorID->empty()) {
        label += " " + *form->ref->extra->editorID;
    }
    if (form->ref && form->ref->removed) label += " (removed)";
    return label;
}

std::string FloatText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string VectorText(const float* values) {
    return "(" + FloatText(values[0]) + ", " + FloatText(values[1]) + ", " + FloatText(values[2]) + ")";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

Form* FindTypedForm(const World& world, const std::string& text) {
    const auto parsed = ParseFormRefText(text);
    if (!parsed) return nullptr;
    switch (parsed->kind) {
        case FormRefText::Kind::FileLocal: {
            const veltrane::FileRecord* file = world.FindFile(parsed->text);
            if (file == nullptr) return nullptr;
            const auto id = file->FormIDOf(parsed->number);
            return id ? world.LookupAny(*id) : nullptr;
        }
        case FormRefText::Kind::WorldName: return world.LookupByWorldName(parsed->text);
        case FormRefText::Kind::FormID: return world.LookupAny(parsed->number);
        case FormRefText::Kind::EditorID:
            for (FormKind kind : {FormKind::Plain, FormKind::Cell, FormKind::Reference}) {
                for (Form* form : world.FormsOfKind(kind)) {
                    if (form->editorID == parsed->text) return form;
                    if (form->ref && form->ref->extra != nullptr && form->ref->extra->editorID == parsed->text) {
                        return form;
                    }
                }
            }
            return nullptr;
    }
    return nullptr;
}

}  // namespace sim
