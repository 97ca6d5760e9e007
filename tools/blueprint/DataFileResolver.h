// The readers' forms without a game: a form is known by its data file and
// its file-local ID alone. With a list of data files a form is found when
// its file is loaded; without one, every well-formed reference is taken. The
// tool cannot know a form's type or whether its file really holds it: that
// only the game can tell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/reading/BlueprintLine.h"
#include "import/reading/FormResolver.h"

namespace blueprint_tool {

// A data file that forms of a blueprint come from.
struct DataFileUse {
    std::string name;          // as the list spells it, else as the blueprint first does
    std::size_t forms = 0;     // different forms looked up in it
    bool loaded = true;        // false: the list does not name it
};

// A form looked up in a data file that the list does not name.
struct MissingForm {
    std::string referenceText;  // as the line spells it: "0A2000|Frontier.vmf"
    std::string fileName;
};

class DataFileResolver final : public Corvanis::FormResolver {
public:
    // Takes every well-formed reference.
    DataFileResolver() = default;
    // Finds the forms of the listed files and of the game's own data file.
    explicit DataFileResolver(const std::vector<std::string>& loadedFiles);

    // A handle of this resolver's own, the same for every lookup of the same
    // form; null when the list does not name the file.
    veltrane::Form* LookupForm(std::string_view fileName, std::uint32_t localFormID) override;
    std::optional<std::uint8_t> FormType(const veltrane::Form*) override { return std::nullopt; }
    veltrane::Form* BoundObject(veltrane::Form* form) override { return form; }
    // Without a list every file is taken as loaded.
    bool DataFileLoaded(std::string_view fileName) override;

    // Called once a line has been read: learns how the line spells the forms
    // it looked up, and gives the lookups of the line that named a file the
    // list does not name.
    std::vector<MissingForm> EndLine(const Corvanis::BlueprintLine& line) {
        // Most lines name no form.
        if (lineNewForms_.empty() && lineMissingFiles_.empty()) return {};
        return EndFormLine(line);
    }

    // The form reference of a form this resolver answered, as the blueprint
    // first spelled it.
    const std::string& ReferenceText(const veltrane::Form* form) const;

    // Every data file that a looked-up form named, in the order of first use.
    const std::vector<DataFileUse>& DataFiles() const { return files_; }

private:
    struct KnownForm {
        std::string referenceText;
    };

    std::vector<MissingForm> EndFormLine(const Corvanis::BlueprintLine& line);
    std::size_t FileIndex(std::string_view fileName);
    static std::uint64_t FormKey(std::size_t file, std::uint32_t localFormID) {
        return (static_cast<std::uint64_t>(file) << 32) | localFormID;
    }

    bool hasList_ = false;
    // The loaded files as the list spells them, by folded name.
    std::unordered_map<std::string, std::string> loaded_;
    std::vector<DataFileUse> files_;
    std::unordered_map<std::string, std::size_t> fileIndex_;  // folded name -> files_
    std::string lastFileName_;  // the last name looked up, as spelled, and its index
    std::size_t lastFileIndex_ = 0;
    bool hasLastFile_ = false;
    // Stable addresses: a form's handle is the address of its entry.
    std::deque<KnownForm> forms_;
    std::unordered_map<std::uint64_t, std::size_t> formIndex_;
    std::unordered_set<std::uint64_t> missingForms_;
    // The lookups of the line being read.
    std::vector<std::size_t> lineNewForms_;
    std::vector<std::size_t> lineMissingFiles_;
};

}  // namespace blueprint_tool
