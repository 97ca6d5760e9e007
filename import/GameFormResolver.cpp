#include "import/GameFormResolver.h"

#include <new>

#include "host/host.h"

namespace Corvanis {

GameFormResolver::FileForms* GameFormResolver::KnownFile(std::string_view fileName) {
    for (FileForms& file : files_) {
        if (file.fileName == fileName) return &file;
    }
    return nullptr;
}

GameFormResolver::FileForms* GameFormResolver::RememberedFile(std::string_view fileName) {
    if (FileForms* file = KnownFile(fileName)) return file;
    try {
        return &files_.emplace_back(FileForms{std::string(fileName), {}, std::nullopt});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

veltrane::Form* GameFormResolver::LookupForm(std::string_view fileName, std::uint32_t localFormID) {
    FileForms* file = KnownFile(fileName);
    if (file != nullptr) {
        if (const auto known = file->forms.find(localFormID); known != file->forms.end()) return known->second;
    }
    const std::string name(fileName);
    veltrane::Form* form = nullptr;
    {
        host::ScopedFixedString fixedName(name.c_str());
        form = host::Game().LookupFormByFileAndLocalID(fixedName.get(), localFormID);
    }
    // An answer that cannot be remembered is asked for again next time.
    try {
        if (file == nullptr) file = RememberedFile(fileName);
        if (file != nullptr) file->forms.emplace(localFormID, form);
    } catch (const std::bad_alloc&) {
    }
    return form;
}

bool GameFormResolver::DataFileLoaded(std::string_view fileName) {
    FileForms* file = RememberedFile(fileName);
    if (file != nullptr && file->loaded) return *file->loaded;
    const std::string name(fileName);
    host::ScopedFixedString fixedName(name.c_str());
    const bool loaded = host::Game().LookupLoadedFile(fixedName.get()) != nullptr;
    if (file != nullptr) file->loaded = loaded;
    return loaded;
}

std::optional<std::uint8_t> GameFormResolver::FormType(const veltrane::Form* form) {
    return host::Game().FormQueryType(form);
}

veltrane::Form* GameFormResolver::BoundObject(veltrane::Form* form) { return host::Game().CastToBoundObject(form); }

}  // namespace Corvanis
