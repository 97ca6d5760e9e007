#include "import/reading/UnresolvedForms.h"

#include <algorithm>

#include "format/FileNameCase.h"

namespace Corvanis {

namespace {

void Count(std::vector<DataFileLines>& files, const std::string& fileName) {
    const auto known = std::find_if(files.begin(), files.end(),
                                    [&](const DataFileLines& file) { return SameFileName(file.fileName, fileName); });
    if (known != files.end()) {
        ++known->lines;
    } else {
        files.push_back({fileName, 1});
    }
}

std::string FileList(const std::vector<DataFileLines>& files) {
    std::string list;
    for (const DataFileLines& file : files) {
        if (!list.empty()) list += ", ";
        list += file.fileName + " (" + std::to_string(file.lines) + (file.lines == 1 ? " line)" : " lines)");
    }
    return list;
}

}  // namespace

veltrane::Form* UnresolvedFormsTally::LookupForm(std::string_view fileName, std::uint32_t localFormID) {
    veltrane::Form* form = forms_.LookupForm(fileName, localFormID);
    const auto named = [fileName](const std::string& file) { return SameFileName(file, fileName); };
    if (form == nullptr && std::none_of(lineFiles_.begin(), lineFiles_.end(), named)) {
        lineFiles_.emplace_back(fileName);
    }
    return form;
}

void UnresolvedFormsTally::EndLine(LineVerdict verdict) {
    if (verdict == LineVerdict::Refused) {
        for (const std::string& fileName : lineFiles_) {
            Count(forms_.DataFileLoaded(fileName) ? result_.formAbsent : result_.notLoaded, fileName);
        }
    }
    lineFiles_.clear();
}

std::vector<std::string> UnresolvedFormsTexts(const UnresolvedForms& forms) {
    std::vector<std::string> texts;
    if (!forms.notLoaded.empty()) {
        texts.push_back("this blueprint needs data files that are not loaded: " + FileList(forms.notLoaded));
    }
    if (!forms.formAbsent.empty()) {
        texts.push_back("this blueprint names forms that their data files do not hold: " +
                        FileList(forms.formAbsent));
    }
    return texts;
}

}  // namespace Corvanis
