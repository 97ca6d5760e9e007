#include "sim/worldfile/ReadContext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "sim/worldfile/FormRefText.h"

namespace sim {

void Fail(const std::string& path, const std::string& problem) { throw WorldFileProblem{path, problem}; }

void Entry::RequireObject() const {
    if (!value_->is_object()) Fail("must be an object");
}

std::string Entry::MemberPath(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }

bool Entry::Has(const char* key) const { return value_->is_object() && value_->contains(key); }

Entry Entry::Field(const char* key) const {
    RequireObject();
    if (!value_->contains(key)) Fail(std::string("the field \"") + key + "\" is missing");
    return Entry(value_->at(key), MemberPath(key));
}

std::optional<Entry> Entry::Optional(const char* key) const {
    RequireObject();
    if (!value_->contains(key)) return std::nullopt;
    return Entry(value_->at(key), MemberPath(key));
}

void Entry::AllowOnly(std::initializer_list<const char*> keys) const {
    RequireObject();
    for (const auto& member : value_->items()) {
        const bool known = std::any_of(keys.begin(), keys.end(), [&](const char* k) { return member.key() == k; });
        if (!known) Fail("unknown field \"" + member.key() + "\"");
    }
}

void Entry::AllowOnly(const std::vector<std::string>& keys) const {
    RequireObject();
    for (const auto& member : value_->items()) {
        if (std::find(keys.begin(), keys.end(), member.key()) == keys.end()) {
            Fail("unknown field \"" + member.key() + "\"");
        }
    }
}

std::vector<Entry> Entry::Elements() const {
    if (!value_->is_array()) Fail("must be an array");
    std::vector<Entry> elements;
    for (std::size_t i = 0; i < value_->size(); ++i) {
        elements.emplace_back((*value_)[i], path_ + "[" + std::to_string(i) + "]");
    }
    return elements;
}

std::string Entry::String() const {
    if (!value_->is_string()) Fail("must be a text");
    return value_->get<std::string>();
}

bool Entry::Bool() const {
    if (!value_->is_boolean()) Fail("must be true or false");
    return value_->get<bool>();
}

std::uint64_t Entry::Unsigned(std::uint64_t max) const {
    if (value_->is_number_unsigned()) {
        const auto value = value_->get<std::uint64_t>();
        if (value <= max) return value;
    } else if (!value_->is_number_integer()) {
        Fail("must be a whole number");
    }
    Fail("must be a whole number from 0 to " + std::to_string(max));
}

std::int64_t Entry::Signed(std::int64_t min, std::int64_t max) const {
    if (value_->is_number_integer() || value_->is_number_unsigned()) {
        if (value_->is_number_unsigned() && value_->get<std::uint64_t>() > static_cast<std::uint64_t>(max)) {
            Fail("must be a whole number from " + std::to_string(min) + " to " + std::to_string(max));
        }
        const auto value = value_->get<std::int64_t>();
        if (value >= min && value <= max) return value;
        Fail("must be a whole number from " + std::to_string(min) + " to " + std::to_string(max));
    }
    Fail("must be a whole number");
}

std::uint32_t Entry::HexOrNumber() const {
    if (value_->is_string()) {
        const std::string text = value_->get<std::string>();
        std::uint32_t value = 0;
        if (text.size() > 2 && text.size() <= 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            const auto result = std::from_chars(text.data() + 2, text.data() + text.size(), value, 16);
            if (result.ec == std::errc() && result.ptr == text.data() + text.size()) return value;
        }
        Fail("must be a number or a hexadecimal text such as \"0x1000\"");
    }
    return static_cast<std::uint32_t>(Unsigned(std::numeric_limits<std::uint32_t>::max()));
}

float Entry::Float() const {
    if (value_->is_string()) {
        const std::string text = value_->get<std::string>();
        if (text == "inf") return std::numeric_limits<float>::infinity();
        if (text == "-inf") return -std::numeric_limits<float>::infinity();
        if (text == "nan") return std::numeric_limits<float>::quiet_NaN();
        Fail("must be a number, \"inf\", \"-inf\" or \"nan\"");
    }
    if (value_->is_number_float()) return value_->get<float>();
    if (value_->is_number_unsigned()) return static_cast<float>(value_->get<std::uint64_t>());
    if (value_->is_number_integer()) return static_cast<float>(value_->get<std::int64_t>());
    Fail("must be a number, \"inf\", \"-inf\" or \"nan\"");
}

void FormResolver::AddEditorID(const std::string& editorID, veltrane::Form* form) {
    if (!editorID.empty()) byEditorID_[editorID].push_back(form);
}

veltrane::Form* FormResolver::Resolve(const Entry& entry, bool mustExist, std::uint32_t* idOut) const {
    const std::string text = entry.String();
    const auto parsed = ParseFormRefText(text);
    if (!parsed) entry.Fail("\"" + text + "\" is not a form reference");
    veltrane::Form* form = nullptr;
    switch (parsed->kind) {
        case FormRefText::Kind::FileLocal: {
            const veltrane::FileRecord* file = world_.FindFile(parsed->text);
            if (file == nullptr) entry.Fail("no loaded file is named \"" + parsed->text + "\"");
            const auto id = file->FormIDOf(parsed->number);
            if (!id) entry.Fail("the local ID in \"" + text + "\" does not fit a file of that slot");
            if (idOut != nullptr) *idOut = *id;
            form = world_.LookupAny(*id);
            break;
        }
        case FormRefText::Kind::WorldName:
            form = world_.LookupByWorldName(parsed->text);
            break;
        case FormRefText::Kind::FormID:
            if (idOut != nullptr) *idOut = parsed->number;
            form = world_.LookupAny(parsed->number);
            if (form == nullptr && !mustExist) return nullptr;
            break;
        case FormRefText::Kind::EditorID: {
            auto found = byEditorID_.find(parsed->text);
            if (found != byEditorID_.end() && found->second.size() > 1) {
                entry.Fail("the editor ID \"" + text + "\" belongs to more than one form");
            }
            if (found != byEditorID_.end()) form = found->second.front();
            break;
        }
    }
    if (form == nullptr) entry.Fail("unknown form \"" + text + "\"");
    if (idOut != nullptr) *idOut = form->formID;
    return form;
}

veltrane::Form* FormResolver::Form(const Entry& entry) const {
    if (entry.IsNull()) entry.Fail("must name a form");
    return Resolve(entry, true, nullptr);
}

veltrane::Form* FormResolver::FormOrNull(const Entry& entry) const {
    return entry.IsNull() ? nullptr : Resolve(entry, true, nullptr);
}

std::uint32_t FormResolver::FormID(const Entry& entry) const {
    std::uint32_t id = 0;
    Resolve(entry, false, &id);
    return id;
}

}  // namespace sim
