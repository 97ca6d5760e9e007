// The hand-tuned pieces of the readers against their plain oracles, on
// generated inputs.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "import/reading/LineReaders.h"
#include "import/reading/internal/ElementKey.h"
#include "import/reading/internal/KeySet.h"

namespace {

using namespace Corvanis;

// The one-pass key search against a search per key, on lines made of key
// pieces, names, bars and brackets.
TEST(KeySets, AnyLine_ResultsInTheKeysASearchPerKeyFinds) {
    static constexpr KeySet kLongKeys{"QRNKeywordForm[", "Blueprint.", "KORContainer.", "KORContainer[",
                                      "DisplayName |", "QRNStoredTraversalData.traversals1["};
    static constexpr KeySet kShortKeys{"].unk00", ".unk00", "].traversal |", "].traversal", ".data[", ".obj", ".item",
                                       "].uUnknown38 |", "Blueprint.unk08"};
    const std::vector<std::string> pieces = {
        "QRNKeywordForm[", "Blueprint.", "KORContainer", ".", "[", "]", "DisplayName", " |", "|", "].unk00",
        ".unk0", "0", "].traversal", "s", " ", "data[", ".obj", ".item", "QRNStoredTraversalData.traversals1[",
        "].uUnknown38", "Blueprint.unk08", "x", "7"};
    std::mt19937 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int count = static_cast<int>(random() % 8);
        for (int p = 0; p < count; ++p) text += pieces[random() % pieces.size()];
        const BlueprintLine line(text);
        for (const KeySet* keys : {&kLongKeys, &kShortKeys}) {
            const KeySet::Mask found = keys->Find(line);
            for (std::size_t k = 0; k < keys->Size(); ++k) {
                std::string key(keys->Key(k));
                if (key.ends_with(' ')) key += '|';
                EXPECT_EQ((found >> k & 1) != 0, HasKey(line, key)) << '"' << text << "\", key \"" << key << '"';
            }
        }
    }
}

// The short way to a list element's index against GetLineIndex, on key
// parts made of markers, digits, brackets and field names.
TEST(ElementKeys, AnyKeyPartThatSplits_ResultsInTheIndexGetLineIndexReads) {
    const std::vector<std::string> markers = {"DecorItem[", "Blueprint.data[", "KORContainer["};
    const std::vector<std::string> indices = {"0", "7", "12", "00", "2147483647", "2147483648", "99999999999",
                                              "-1", " 3", "", "x"};
    const std::vector<std::string> closers = {"]", "]", "]", "", "[", "x]"};
    const std::vector<std::string> fields = {".fPosX", ".base ", ".base  ", "", "]", "[2]", " "};
    std::mt19937 random(20261209);
    const auto pick = [&](const std::vector<std::string>& texts) -> const std::string& {
        return texts[random() % texts.size()];
    };
    int split = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string& marker = pick(markers);
        const std::string keyPart = marker + pick(indices) + pick(closers) + pick(fields);
        const std::string text = keyPart + "|1";
        const BlueprintLine line(text);
        ElementKey key{};
        if (!SplitExportedElementKey(line.KeyPart(), marker, key)) continue;
        ++split;
        const std::string_view afterBracket = line.KeyPart().substr(line.KeyPart().find(']') + 1);
        EXPECT_EQ(key.index, GetLineIndex(line)) << '"' << keyPart << '"';
        EXPECT_EQ(key.field, afterBracket.ends_with(' ') ? afterBracket.substr(0, afterBracket.size() - 1)
                                                         : afterBracket)
            << '"' << keyPart << '"';
    }
    EXPECT_GT(split, 5000) << "the generated key parts should often be as the exporter writes them";
}

}  // namespace
