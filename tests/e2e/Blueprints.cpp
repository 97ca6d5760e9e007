#include "tests/e2e/Blueprints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string_view>

namespace e2e {

namespace {

// The sections in the order of the file, by the start of their lines.
constexpr std::string_view kSectionStarts[] = {
    "QRNAddToInventoryOnDestroy.",
    "QRNAnimationGraphComponent.",
    "QRNKeywordForm[",
    "QRNAttachParentArray[",
    "QRNPropertySheet[",
    "QRNSpaceshipAIActor.",
    "QRNLinkedVoiceType.",
    "QRNSpaceshipWeaponBinding.",
    "QRNSpaceshipHullCode.",
    "QRNStoredTraversalData.",
    "Blueprint.",
    "KORContainer[",
    "DisplayName |",
    "KORFullName.",
    "KORModel.",
    "DecorItem[",
};

int SectionOf(const std::string& line) {
    for (std::size_t i = 0; i < std::size(kSectionStarts); ++i) {
        if (line.starts_with(kSectionStarts[i])) return static_cast<int>(i);
    }
    return -1;
}

const std::regex kShipLine(R"(^Ship: .* \[FormID: ([0-9A-F]{8})?\] \[EditorID: .*\] $)");
const std::regex kTimeLine(R"(^Export time: \d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.00\d{3}$)");
const std::regex kDataLine(
    R"(^[A-Za-z0-9_]+(\[(0|[1-9][0-9]*)\])?(\.[A-Za-z0-9_]+(\[(0|[1-9][0-9]*)\])?)* \|[^\r\n]*$)");
const std::regex kPresenceLine(R"(^DecorItem\[(0|[1-9][0-9]*)\]\.bWorkshopItem$)");
const std::regex kItemExtraLine(R"(^(KORContainer\[\d+\]\.itemExtra \|)([1-9A-F][0-9A-F]*)$)");
const std::regex kDescription(R"(\[((?:[0-9A-F]{8})?) \| ([1-9A-F][0-9A-F]*) \|)");

}  // namespace

void ExpectBlueprintGrammar(const std::string& bytes) {
    ASSERT_TRUE(bytes.ends_with("\r\n")) << "the last line has no CR LF";
    Lines lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a line end that is not CR LF in: " << line;
    }
    ASSERT_GE(lines.size(), 5u) << "fewer lines than the header and the display name";
    EXPECT_TRUE(std::regex_match(lines[0], kShipLine)) << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], kTimeLine)) << lines[1];
    EXPECT_EQ(lines[2], "Version: 2.00");
    EXPECT_EQ(lines[3], "");
    int section = 0;
    int displayNames = 0;
    for (std::size_t i = 4; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_TRUE(std::regex_match(line, kDataLine) || std::regex_match(line, kPresenceLine)) << line;
        const int lineSection = SectionOf(line);
        EXPECT_GE(lineSection, section) << "out of order: " << line;
        section = std::max(section, lineSection);
        if (line.starts_with("DisplayName |")) ++displayNames;
    }
    EXPECT_EQ(displayNames, 1);
}

Lines ComparableBlueprint(const std::filesystem::path& file) {
    const std::string bytes = ReadBytes(file);
    ExpectBlueprintGrammar(bytes);
    Lines lines = SplitLines(bytes);
    if (lines.size() > 1 && lines[1].starts_with("Export time: ")) lines[1] = "Export time: <time>";
    for (std::string& line : lines) line = std::regex_replace(line, kItemExtraLine, "$1<address>");
    return lines;
}

std::string MaskDescriptionAddress(const std::string& line) {
    return std::regex_replace(line, kDescription, "[$1 | <address> |", std::regex_constants::format_first_only);
}

Lines MaskDescriptionAddresses(Lines lines) {
    for (std::string& line : lines) line = MaskDescriptionAddress(line);
    return lines;
}

Lines FolderEntries(const std::filesystem::path& folder) {
    Lines names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace e2e
