#include "sim/world/FileLists.h"

#include "host/layouts/DataFiles.h"

namespace sim {

FileLists::FileLists() = default;

std::uint16_t FileLists::Intern(const std::vector<veltrane::FileRecord*>& entries) {
    if (auto found = indexByEntries_.find(entries); found != indexByEntries_.end()) return found->second;
    if (lists_.size() >= veltrane::kNoFileList) return veltrane::kNoFileList;
    storage_.push_back(std::make_unique<std::vector<veltrane::FileRecord*>>(entries));
    std::vector<veltrane::FileRecord*>& stored = *storage_.back();
    lists_.push_back({stored.empty() ? nullptr : stored.data(), static_cast<std::uint32_t>(stored.size())});
    const auto index = static_cast<std::uint16_t>(lists_.size() - 1);
    indexByEntries_.emplace(entries, index);
    table_.lists = lists_.data();
    table_.count = static_cast<std::uint32_t>(lists_.size());
    return index;
}

std::span<veltrane::FileRecord* const> FileLists::Entries(std::uint16_t index) const {
    if (index >= storage_.size()) return {};
    return *storage_[index];
}

}  // namespace sim
