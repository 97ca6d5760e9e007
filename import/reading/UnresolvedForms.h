// The data files behind an import's refusal: every line that a reader
// refuses because its form reference finds nothing, counted by the data file
// it names, so that a player learns at once everything a blueprint lacks
// rather than one line per attempt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/reading/FormResolver.h"
#include "import/reading/LineVerdict.h"

namespace Corvanis {

// A data file and the number of refused lines that name a form of it.
struct DataFileLines {
    std::string fileName;  // as the blueprint first spells it
    std::size_t lines = 0;
};

struct UnresolvedForms {
    std::vector<DataFileLines> notLoaded;   // files the game has not loaded
    std::vector<DataFileLines> formAbsent;  // loaded files that hold no such form
};

// A resolver that answers through another one and notes, line by line, the
// data files whose lookups find nothing.
class UnresolvedFormsTally final : public FormResolver {
public:
    explicit UnresolvedFormsTally(FormResolver& forms) : forms_(forms) {}

    veltrane::Form* LookupForm(std::string_view fileName, std::uint32_t localFormID) override;
    std::optional<std::uint8_t> FormType(const veltrane::Form* form) override { return forms_.FormType(form); }
    veltrane::Form* BoundObject(veltrane::Form* form) override { return forms_.BoundObject(form); }
    bool DataFileLoaded(std::string_view fileName) override { return forms_.DataFileLoaded(fileName); }

    // Called once a reader has judged a line: a refused line counts once for
    // each data file whose lookup found nothing. Lines a reader reads anyway
    // (cargo it leaves out) do not count.
    void EndLine(LineVerdict verdict);

    const UnresolvedForms& Result() const { return result_; }

private:
    FormResolver& forms_;
    std::vector<std::string> lineFiles_;  // the current line's files without a form
    UnresolvedForms result_;
};

// Reads every line with the reader through the tally, past every refusal.
template <class Reader, class Lines, class Error>
UnresolvedForms TallyUnresolvedForms(const Lines& lines, Reader& reader, UnresolvedFormsTally& tally, Error& error) {
    for (const auto& line : lines) tally.EndLine(reader.ReadLine(line, error));
    return tally.Result();
}

// The console's texts for the tally, one for the files that are not loaded
// and one for the forms that loaded files lack, each only when it has files:
// "this blueprint needs data files that are not loaded: Trimwork.vmf (7
// lines), Hullworks.vmf (2 lines)".
std::vector<std::string> UnresolvedFormsTexts(const UnresolvedForms& forms);

}  // namespace Corvanis
