#include "sim/memory/FixedStrings.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "sim/console/ConsoleOutput.h"

namespace sim {

namespace {

struct PoolEntry {
    std::string text;
    std::size_t references = 0;
};

struct Pool {
    std::unordered_map<std::string_view, std::unique_ptr<PoolEntry>> byText;
    std::unordered_map<const char*, PoolEntry*> byStorage;
};

// Never destroyed: strings may be released while the process ends.
Pool& ThePool() {
    static auto* pool = new Pool;
    return *pool;
}

const char* Intern(const char* text) {
    if (text == nullptr || *text == '\0') return nullptr;
    Pool& pool = ThePool();
    auto found = pool.byText.find(std::string_view(text));
    if (found == pool.byText.end()) {
        auto entry = std::make_unique<PoolEntry>();
        entry->text = text;
        const std::string_view key = entry->text;
        pool.byStorage.emplace(entry->text.c_str(), entry.get());
        found = pool.byText.emplace(key, std::move(entry)).first;
    }
    ++found->second->references;
    return found->second->text.c_str();
}

void Unreference(const char* storage) {
    if (storage == nullptr) return;
    Pool& pool = ThePool();
    auto found = pool.byStorage.find(storage);
    if (found == pool.byStorage.end()) {
        ReportGameError("a fixed string was released that the game never made");
        return;
    }
    PoolEntry* entry = found->second;
    if (--entry->references > 0) return;
    pool.byStorage.erase(found);
    pool.byText.erase(pool.byText.find(std::string_view(entry->text)));
}

}  // namespace

void FixedStringMake(veltrane::FixedString* out, const char* text) {
    if (out == nullptr) return;
    out->data = Intern(text);
}

void FixedStringAssign(veltrane::FixedString* target, const char* text) {
    if (target == nullptr) return;
    // Interning first keeps a self-assignment alive.
    const char* interned = Intern(text);
    Unreference(target->data);
    target->data = interned;
}

void FixedStringRelease(veltrane::FixedString* string) {
    if (string == nullptr) return;
    Unreference(string->data);
    string->data = nullptr;
}

std::size_t LiveFixedStringCount() { return ThePool().byText.size(); }

}  // namespace sim
