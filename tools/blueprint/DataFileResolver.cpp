#include "tools/blueprint/DataFileResolver.h"

#include <algorithm>

#include "import/reading/LineReaders.h"
#include "tools/blueprint/DataFileList.h"

namespace blueprint_tool {

DataFileResolver::DataFileResolver(const std::vector<std::string>& loadedFiles) : hasList_(true) {
    loaded_.emplace(FoldedDataFileName(kGameDataFile), kGameDataFile);
    for (const std::string& name : loadedFiles) loaded_.insert_or_assign(FoldedDataFileName(name), name);
}

std::size_t DataFileResolver::FileIndex(std::string_view fileName) {
    // The lines of a blueprint name few files, mostly one after another.
    if (hasLastFile_ && fileName == lastFileName_) return lastFileIndex_;
    std::string folded = FoldedDataFileName(fileName);
    const auto [entry, added] = fileIndex_.try_emplace(folded, files_.size());
    if (added) {
        const auto listed = loaded_.find(folded);
        if (listed != loaded_.end()) {
            // The list's spelling is the one a player recognises.
            files_.push_back({listed->second, 0, true});
        } else {
            files_.push_back({std::string(fileName), 0, !hasList_});
        }
    }
    lastFileName_.assign(fileName);
    lastFileIndex_ = entry->second;
    hasLastFile_ = true;
    return entry->second;
}

veltrane::Form* DataFileResolver::LookupForm(std::string_view fileName, std::uint32_t localFormID) {
    const std::size_t file = FileIndex(fileName);
    const std::uint64_t key = FormKey(file, localFormID);
    if (!files_[file].loaded) {
        if (missingForms_.insert(key).second) ++files_[file].forms;
        lineMissingFiles_.push_back(file);
        return nullptr;
    }
    const auto [entry, added] = formIndex_.try_emplace(key, forms_.size());
    if (added) {
        forms_.emplace_back();
        ++files_[file].forms;
        lineNewForms_.push_back(entry->second);
    }
    return reinterpret_cast<veltrane::Form*>(&forms_[entry->second]);
}

bool DataFileResolver::DataFileLoaded(std::string_view fileName) {
    return !hasList_ || loaded_.count(FoldedDataFileName(fileName)) != 0;
}

std::vector<MissingForm> DataFileResolver::EndFormLine(const Corvanis::BlueprintLine& line) {
    std::vector<MissingForm> missing;
    // A form reference ends its line: this is the text every lookup of the
    // line was made from.
    std::string referenceText(Corvanis::GetFormIDText(line));
    referenceText += '|';
    referenceText += Corvanis::GetFormFileName(line);
    for (const std::size_t form : lineNewForms_) forms_[form].referenceText = referenceText;
    std::sort(lineMissingFiles_.begin(), lineMissingFiles_.end());
    lineMissingFiles_.erase(std::unique(lineMissingFiles_.begin(), lineMissingFiles_.end()), lineMissingFiles_.end());
    for (const std::size_t file : lineMissingFiles_) missing.push_back({referenceText, files_[file].name});
    lineNewForms_.clear();
    lineMissingFiles_.clear();
    return missing;
}

const std::string& DataFileResolver::ReferenceText(const veltrane::Form* form) const {
    return reinterpret_cast<const KnownForm*>(form)->referenceText;
}

}  // namespace blueprint_tool
