// Reading a world file: every value is read through an Entry that knows its
// place in the file, so any problem is reported with the entry it is about
// ("forms[3] (Veltrane.vmf:005627).components.Blueprint_Component.data[0].item").
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/world/World.h"
#include "sim/worldfile/Json.h"

namespace sim {

struct WorldFileProblem {
    std::string path;
    std::string problem;
};

[[noreturn]] void Fail(const std::string& path, const std::string& problem);

class Entry {
public:
    Entry(const Json& value, std::string path) : value_(&value), path_(std::move(path)) {}

    const Json& Value() const { return *value_; }
    const std::string& Path() const { return path_; }
    Entry Labelled(const std::string& label) const { return Entry(*value_, path_ + " (" + label + ")"); }
    std::string MemberPath(const std::string& key) const;

    // Object members. Field() fails when the member is missing.
    bool Has(const char* key) const;
    Entry Field(const char* key) const;
    std::optional<Entry> Optional(const char* key) const;
    // Fails on a member whose key is not one of these (a misspelt key).
    void AllowOnly(std::initializer_list<const char*> keys) const;
    void AllowOnly(const std::vector<std::string>& keys) const;
    void RequireObject() const;

    // Array elements.
    std::vector<Entry> Elements() const;

    bool IsNull() const { return value_->is_null(); }
    [[noreturn]] void Fail(const std::string& problem) const { sim::Fail(path_, problem); }

    std::string String() const;
    bool Bool() const;
    std::uint64_t Unsigned(std::uint64_t max) const;
    std::int64_t Signed(std::int64_t min, std::int64_t max) const;
    // A number, or a text of hexadecimal digits after "0x".
    std::uint32_t HexOrNumber() const;
    float Float() const;

private:
    const Json* value_;
    std::string path_;
};

// Turns form references of a world file into the forms of the world being
// read.
class FormResolver {
public:
    explicit FormResolver(World& world) : world_(world) {}

    void AddEditorID(const std::string& editorID, veltrane::Form* form);

    // The form named; fails for null or an unknown name.
    veltrane::Form* Form(const Entry& entry) const;
    // Null for a JSON null.
    veltrane::Form* FormOrNull(const Entry& entry) const;
    // A form ID: what a form reference names, or any run-time ID given as
    // "#XXXXXXXX" even when no form has it.
    std::uint32_t FormID(const Entry& entry) const;

    World& TheWorld() const { return world_; }

private:
    veltrane::Form* Resolve(const Entry& entry, bool mustExist, std::uint32_t* idOut) const;

    World& world_;
    std::unordered_map<std::string, std::vector<veltrane::Form*>> byEditorID_;
};

}  // namespace sim
