// Forms as a checking tool knows them: from a list of data files' forms,
// without a game. A form's handle is its entry in the list.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "host/layouts/DataFiles.h"
#include "import/reading/FormResolver.h"

namespace corvanis_test {

class ListedForms final : public Corvanis::FormResolver {
public:
    veltrane::Form* Add(std::string fileName, std::uint32_t localFormID, std::uint8_t type) {
        forms_.push_back({std::move(fileName), localFormID, type});
        return Handle(forms_.back());
    }

    veltrane::Form* LookupForm(std::string_view fileName, std::uint32_t localFormID) override {
        for (Listed& form : forms_) {
            if (form.fileName == fileName && form.localFormID == localFormID) return Handle(form);
        }
        return nullptr;
    }
    std::optional<std::uint8_t> FormType(const veltrane::Form* form) override {
        return reinterpret_cast<const Listed*>(form)->type;
    }
    veltrane::Form* BoundObject(veltrane::Form* form) override {
        const std::uint8_t type = reinterpret_cast<const Listed*>(form)->type;
        return type == veltrane::kFormTypeMisc || type == veltrane::kFormTypeGenericBaseForm ? form : nullptr;
    }

private:
    struct Listed {
        std::string fileName;
        std::uint32_t localFormID;
        std::uint8_t type;
    };
    static veltrane::Form* Handle(Listed& form) { return reinterpret_cast<veltrane::Form*>(&form); }

    std::deque<Listed> forms_;
};

}  // namespace corvanis_test
