// The line readers on any bytes: the input cut into lines, which must give
// the input back with their line ends; every line through every reader; and
// each line's value part and form ID text through the number conversions
// beside the C library's, which must agree but for the known differences.
// A broken promise ends the run like a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/support/Fail.h"
#include "import/reading/BlueprintLines.h"
#include "import/reading/LineReaders.h"
#include "support/CLibraryConversions.h"

namespace {

using namespace Corvanis;
using corvanis_fuzz::Fail;

// A tool's resolver: it accepts every form and knows no types.
class AcceptingResolver final : public FormResolver {
public:
    veltrane::Form* LookupForm(std::string_view, std::uint32_t) override {
        return reinterpret_cast<veltrane::Form*>(&form_);
    }
    std::optional<std::uint8_t> FormType(const veltrane::Form*) override { return std::nullopt; }
    veltrane::Form* BoundObject(veltrane::Form* form) override { return form; }

private:
    char form_ = 0;
};

// The line begins where the previous line's end left off, holds no LF, and
// ends before an LF or CR LF or at the end of the input. Returns where the
// next line begins.
std::size_t CheckLineAt(const BlueprintLine& line, std::string_view bytes, std::size_t at, std::size_t number) {
    const std::string_view text = line.Text();
    if (text.data() != bytes.data() + at) Fail("Broken: a line begins where the previous line ended");
    if (line.Number() != number) Fail("Broken: lines are numbered from 1");
    if (text.find('\n') != std::string_view::npos) Fail("Broken: a line holds no LF");
    const std::size_t end = at + text.size();
    if (end == bytes.size()) return end;
    if (bytes.substr(end, 2) == "\r\n") return end + 2;
    if (bytes[end] != '\n' || text.ends_with('\r')) Fail("Broken: a line ends at LF or CR LF");
    return end + 1;
}

void AgreeWithTheCLibrary(std::string_view text) {
    const std::string copy(text);
    const auto differences = dev_support::ConversionDifferences(copy);
    if (differences.empty()) return;
    std::string report = "Broken: the conversions of \"" + copy + "\" are the C library's, but";
    for (const std::string& difference : differences) report += "\n  " + difference;
    Fail(report);
}

void ReadEveryWay(const BlueprintLine& line, FormResolver& forms) {
    float number = 0;
    std::int32_t integer = 0;
    std::uint32_t unsignedInteger = 0;
    std::uint64_t wide = 0;
    ParseLineFloat(line, number);
    ParseLineInt32(line, integer);
    ParseLineUInt32(line, unsignedInteger);
    ParseLineUInt64(line, wide);
    ParseVersionValue(line, number);
    IsVersionLine(line);
    IsShipLine(line);
    HasKey(line, "DisplayName |");
    HasKey(line, "QRNKeywordForm[");
    GetLineIndex(line);
    GetLineInnerIndex(line);
    GetFormFileName(line);
    ParseHexFormID(GetFormIDText(line));
    ResolveFormReference(line, forms);
    AgreeWithTheCLibrary(GetLineValue(line));
    AgreeWithTheCLibrary(GetFormIDText(line));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    AcceptingResolver forms;
    // A UTF-8 byte-order mark, as some editors write one, is no part of the
    // first line.
    std::size_t at = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0, number = 0;
    for (const BlueprintLine& line : BlueprintLines(bytes)) {
        if (at == bytes.size()) Fail("Broken: nothing after the last line end is a line");
        at = CheckLineAt(line, bytes, at, ++number);
        ReadEveryWay(line, forms);
    }
    if (at != bytes.size()) Fail("Broken: every byte belongs to a line or a line end");
    return 0;
}
