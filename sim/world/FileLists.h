// The game's table of file lists. A form names the data files that define or
// override it by an index into this table; forms with the same files share
// one list.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "host/layouts/GameObjects.h"

namespace sim {

class FileLists {
public:
    FileLists();
    FileLists(const FileLists&) = delete;
    FileLists& operator=(const FileLists&) = delete;

    // The index of the list holding exactly these entries (empty entries and
    // objects that are not file records included), made on first use. None
    // when the table is full.
    std::uint16_t Intern(const std::vector<veltrane::FileRecord*>& entries);

    // The entries of a list, or an empty span for an index outside the table.
    std::span<veltrane::FileRecord* const> Entries(std::uint16_t index) const;

    const veltrane::FileListTable* Table() const { return &table_; }

private:
    std::vector<std::unique_ptr<std::vector<veltrane::FileRecord*>>> storage_;
    std::vector<veltrane::FileList> lists_;
    std::map<std::vector<veltrane::FileRecord*>, std::uint16_t> indexByEntries_;
    veltrane::FileListTable table_{};
};

}  // namespace sim
