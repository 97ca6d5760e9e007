#include "sim/memory/FixedStrings.h"

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/layouts/StringsAndArrays.h"
#include "sim/console/ConsoleOutput.h"

namespace sim {

namespace {

struct PoolEntry {
    std::string text;
    std::size_t references = 0;
};

// An entry whose last holder let it go stays where it is, dead, for the next
// kDeadEntriesKept releases of other entries: its address is no live string
// meanwhile, so a release too many is caught. Only then is it freed, as a
// sanitizer's quarantine frees memory, so that a game that makes and lets go
// of strings for ever (a world loaded again and again) holds a bounded pool.
constexpr std::size_t kDeadEntriesKept = 1 << 16;

struct Pool {
    std::unordered_map<std::string_view, PoolEntry*> byText;  // live entries
    std::unordered_map<const char*, std::unique_ptr<PoolEntry>> byStorage;
    std::deque<const char*> dead;  // the storage of dead entries, oldest first
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
        found = pool.byText.emplace(std::string_view(entry->text), entry.get()).first;
        pool.byStorage.emplace(entry->text.c_str(), std::move(entry));
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
    PoolEntry& entry = *found->second;
    if (entry.references == 0) {
        ReportGameError("the fixed string \"" + entry.text + "\" was released more often than it was made");
        return;
    }
    if (--entry.references != 0) return;
    pool.byText.erase(std::string_view(entry.text));
    pool.dead.push_back(storage);
    if (pool.dead.size() > kDeadEntriesKept) {
        pool.byStorage.erase(pool.dead.front());
        pool.dead.pop_front();
    }
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

bool IsLiveFixedString(const char* storage) {
    if (storage == nullptr) return true;
    const auto found = ThePool().byStorage.find(storage);
    return found != ThePool().byStorage.end() && found->second->references > 0;
}

std::size_t LiveFixedStringCount() { return ThePool().byText.size(); }

std::vector<std::string> MiscountedFixedStrings(const std::function<std::size_t(const char* storage)>& holders) {
    std::vector<std::string> problems;
    for (const auto& [text, entry] : ThePool().byText) {
        const std::size_t held = holders(entry->text.c_str());
        if (held == entry->references) continue;
        problems.push_back("the fixed string \"" + entry->text + "\" is counted " +
                           std::to_string(entry->references) + " times and held " + std::to_string(held) + " times");
    }
    return problems;
}

}  // namespace sim
