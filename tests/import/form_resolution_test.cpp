// Form references resolved through the running game, in a load order with
// full, FE and FD files: what the exporter writes comes back as the same
// form, and whatever cannot name a loaded form comes back as none.
#include <gtest/gtest.h>

#include "import/GameFormResolver.h"
#include "import/reading/LineReaders.h"
#include "sim/memory/FixedStrings.h"
#include "tests/forms/LoadOrderWorld.h"
#include "tests/support/InProcessGame.h"

namespace {

using namespace Corvanis;
using corvanis_test::FormWithID;

const char* const kForms = R"(
    {"id": "Veltrane.vmf:01A2B3", "type": 40},
    {"id": "Veltrane.vmf:000014", "type": 4},
    {"id": "Frontier.vmf:01A2B3", "type": 50},
    {"id": "Extra.vmf:345", "type": 112},
    {"id": "Crew.vmf:ABCD", "type": 65}
)";

class FormResolution : public testing::Test {
protected:
    void SetUp() override { corvanis_test::LoadWorld(corvanis_test::LoadOrderWorld(kForms)); }

    veltrane::Form* Resolve(std::string_view line) { return ResolveFormReference(BlueprintLine(line), game); }

    GameFormResolver game;
};

TEST_F(FormResolution, ReferencesToFormsOfEachSlotKind_ResultInTheFormsOfThisLoadOrder) {
    EXPECT_EQ(Resolve("QRNAddToInventoryOnDestroy.form |01A2B3|Veltrane.vmf"), FormWithID(0x0001A2B3));
    EXPECT_EQ(Resolve("QRNSpaceshipAIActor.actor |01A2B3|Frontier.vmf"), FormWithID(0x1A01A2B3));
    EXPECT_EQ(Resolve("QRNLinkedVoiceType.voice |345|Extra.vmf"), FormWithID(0xFE012345));
    EXPECT_EQ(Resolve("Blueprint.data[0].item |ABCD|Crew.vmf"), FormWithID(0xFD05ABCD));
    EXPECT_EQ(Resolve("x |0x1A2B3|Veltrane.vmf"), FormWithID(0x0001A2B3));
    // Whatever stands before the last two bars, a name included, is not read.
    EXPECT_EQ(Resolve("DecorItem[0].base |Crate|01A2B3|Veltrane.vmf"), FormWithID(0x0001A2B3));
}

TEST_F(FormResolution, ReferencesThatNameNoLoadedForm_ResultInNoForm_AndNoFixedStringLeft) {
    const std::size_t liveStrings = sim::LiveFixedStringCount();
    for (const char* line : {"x |0|Veltrane.vmf", "x |zz|Veltrane.vmf", "x ||Veltrane.vmf", "x |1A2B3|",
                             "x |1FFFFFFFF|Veltrane.vmf", "x |Veltrane.vmf", "", "x |01A2B3|Missing.vmf",
                             "x |01A2B4|Veltrane.vmf"}) {
        EXPECT_EQ(Resolve(line), nullptr) << line;
    }
    EXPECT_EQ(Resolve(std::string_view("x |01A2B3|Veltrane.vmf\0.txt", 27)), nullptr);
    EXPECT_NE(Resolve("x |01A2B3|Veltrane.vmf"), nullptr);
    EXPECT_EQ(sim::LiveFixedStringCount(), liveStrings);
}

TEST_F(FormResolution, TheGamesAnswers_ResultInTypeCodesAndBoundObjects) {
    veltrane::Form* keyword = Resolve("QRNKeywordForm[0] |000014|Veltrane.vmf");
    veltrane::Form* misc = Resolve("DecorItem[0].base |01A2B3|Veltrane.vmf");
    ASSERT_NE(keyword, nullptr);
    ASSERT_NE(misc, nullptr);
    EXPECT_EQ(game.FormType(keyword), 4);
    EXPECT_TRUE(HasFormType(game, keyword, 4));
    EXPECT_FALSE(HasFormType(game, misc, 4));
    EXPECT_EQ(game.BoundObject(keyword), nullptr);
    EXPECT_EQ(game.BoundObject(misc), misc);
}

// A resolver that has no game accepts every type it is asked about.
class AcceptingResolver final : public FormResolver {
public:
    veltrane::Form* LookupForm(std::string_view, std::uint32_t) override { return nullptr; }
    std::optional<std::uint8_t> FormType(const veltrane::Form*) override { return std::nullopt; }
    veltrane::Form* BoundObject(veltrane::Form* form) override { return form; }
};

TEST(FormTypes, AResolverThatCannotKnowTypes_AcceptsEveryType) {
    AcceptingResolver tool;
    EXPECT_TRUE(HasFormType(tool, nullptr, 4));
    EXPECT_TRUE(HasFormType(tool, nullptr, 170));
}

}  // namespace
