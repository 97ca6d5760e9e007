// Forms found without the game: a player's list of data files, matched as
// the game matches file names, and the forms and files a blueprint needs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/reading/LineReaders.h"
#include "tools/blueprint/DataFileList.h"
#include "tools/blueprint/DataFileResolver.h"

namespace {

using namespace blueprint_tool;
using Corvanis::BlueprintLine;
using Names = std::vector<std::string>;

TEST(DataFileList, APlayersList_ResultsInItsNamesInLoadOrder) {
    EXPECT_EQ(ParseDataFileList("# load order\r\n*Frontier.vmf\r\n  Trimwork.vmf  \r\n\r\n* Deckhands.vmf\n"
                                "Crew Quarters.vmf"),
              (Names{"Frontier.vmf", "Trimwork.vmf", "Deckhands.vmf", "Crew Quarters.vmf"}));
    EXPECT_EQ(ParseDataFileList(""), Names{});
    EXPECT_EQ(ParseDataFileList("*\r\n#*Old.vmf\r\n"), Names{});
}

TEST(DataFileList, NamesMatch_WithoutRegardToTheCaseOfLetters) {
    EXPECT_TRUE(SameDataFileName("Frontier.vmf", "FRONTIER.VMF"));
    EXPECT_FALSE(SameDataFileName("Frontier.vmf", "Frontier.vmf "));
    EXPECT_FALSE(SameDataFileName("Frontier.vmf", "Frontie.vmf"));
    // Only ASCII letters fold: other bytes must be equal.
    EXPECT_FALSE(SameDataFileName("\xC3\xA9.vmf", "\xC3\x89.vmf"));
}

class Resolver : public testing::Test {
protected:
    // Resolves the line's form reference as the readers do and ends the line.
    veltrane::Form* Read(DataFileResolver& resolver, const std::string& line) {
        const BlueprintLine read(line);
        veltrane::Form* form = Corvanis::ResolveFormReference(read, resolver);
        lastMissing = resolver.EndLine(read);
        return form;
    }

    std::vector<MissingForm> lastMissing;
};

TEST_F(Resolver, WithoutAList_EveryWellFormedReferenceIsAForm_TheSameFormForTheSameFileAndID) {
    DataFileResolver resolver;
    veltrane::Form* item = Read(resolver, "Blueprint.data[0].item |0A2000|Veltrane.vmf");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Read(resolver, "DecorItem[3].base |A2000|VELTRANE.VMF"), item);
    veltrane::Form* other = Read(resolver, "Blueprint.data[1].item |803|Trimwork.vmf");
    EXPECT_NE(other, nullptr);
    EXPECT_NE(other, item);
    EXPECT_EQ(Read(resolver, "x |0|Veltrane.vmf"), nullptr);
    EXPECT_EQ(Read(resolver, "x |zz|Veltrane.vmf"), nullptr);
    // As the blueprint first spells them.
    EXPECT_EQ(resolver.ReferenceText(item), "0A2000|Veltrane.vmf");
    EXPECT_EQ(resolver.ReferenceText(other), "803|Trimwork.vmf");
    EXPECT_TRUE(lastMissing.empty());
    EXPECT_FALSE(resolver.FormType(item).has_value());
    EXPECT_EQ(resolver.BoundObject(item), item);
}

TEST_F(Resolver, DataFilesNeeded_AreCountedInOrderOfFirstUse_EachFormOnce) {
    DataFileResolver resolver;
    for (const char* line : {"a |0A2000|Veltrane.vmf", "b |0801|Deckhands.vmf", "c |0A2000|veltrane.vmf",
                             "d |0A2001|Veltrane.vmf", "e |802|DECKHANDS.vmf"}) {
        Read(resolver, line);
    }
    ASSERT_EQ(resolver.DataFiles().size(), 2u);
    EXPECT_EQ(resolver.DataFiles()[0].name, "Veltrane.vmf");
    EXPECT_EQ(resolver.DataFiles()[0].forms, 2u);
    EXPECT_EQ(resolver.DataFiles()[1].name, "Deckhands.vmf");
    EXPECT_EQ(resolver.DataFiles()[1].forms, 2u);
    EXPECT_TRUE(resolver.DataFiles()[1].loaded);
}

TEST_F(Resolver, WithAList_FormsOfUnlistedFilesAreMissing_WhateverTheListsOrderOrCase) {
    DataFileResolver resolver(Names{"trimwork.vmf", "Frontier.vmf"});
    // The game's own data file is always loaded.
    EXPECT_NE(Read(resolver, "a |0A2000|Veltrane.vmf"), nullptr);
    EXPECT_TRUE(lastMissing.empty());
    EXPECT_NE(Read(resolver, "b |000801|Frontier.vmf"), nullptr);
    EXPECT_NE(Read(resolver, "c |803|Trimwork.vmf"), nullptr);
    EXPECT_EQ(Read(resolver, "d |0801|Deckhands.vmf"), nullptr);
    ASSERT_EQ(lastMissing.size(), 1u);
    EXPECT_EQ(lastMissing[0].referenceText, "0801|Deckhands.vmf");
    EXPECT_EQ(lastMissing[0].fileName, "Deckhands.vmf");
    EXPECT_EQ(Read(resolver, "e |0801|deckhands.VMF"), nullptr);
    ASSERT_EQ(resolver.DataFiles().size(), 4u);
    // A listed file keeps the list's spelling.
    EXPECT_EQ(resolver.DataFiles()[2].name, "trimwork.vmf");
    EXPECT_EQ(resolver.DataFiles()[3].name, "Deckhands.vmf");
    EXPECT_FALSE(resolver.DataFiles()[3].loaded);
    EXPECT_EQ(resolver.DataFiles()[3].forms, 1u);
}

}  // namespace
