// The one-pass key search against its plain oracle, a search per key.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

}  // namespace
