// The readers' forms as the running game knows them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/reading/FormResolver.h"

namespace Corvanis {

// One object serves one reading of a blueprint: it remembers the game's
// answers, which do not change while a blueprint is read.
class GameFormResolver final : public FormResolver {
public:
    // Asks the game with a fixed string of the name, made for the call and
    // released right after it, unless the same name and ID were asked before:
    // then the game's answer of that time: a blueprint's thousands of
    // references name a few dozen forms.
    veltrane::Form* LookupForm(std::string_view fileName, std::uint32_t localFormID) override;
    // The game's virtual type query.
    std::optional<std::uint8_t> FormType(const veltrane::Form* form) override;
    veltrane::Form* BoundObject(veltrane::Form* form) override;
    // The game's list of loaded data files, asked once per name.
    bool DataFileLoaded(std::string_view fileName) override;

private:
    // The answers for the names of one data file, as the blueprint spells it.
    struct FileForms {
        std::string fileName;
        std::unordered_map<std::uint32_t, veltrane::Form*> forms;
        std::optional<bool> loaded;
    };

    FileForms* KnownFile(std::string_view fileName);
    // The file's entry, made when it is missing; null when none can be made.
    FileForms* RememberedFile(std::string_view fileName);

    // A blueprint names few data files: a list is quicker than a hash of the
    // name.
    std::vector<FileForms> files_;
};

}  // namespace Corvanis
