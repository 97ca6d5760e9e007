// Private-profile files as both builds read and write them. The Windows build
// runs these against Wine's own implementation, which is the reference for
// the POSIX layer. Every case uses a file of its own: Wine keeps a parsed
// copy of a file for as long as its modification time stays the same.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "support/ScratchFolder.h"

namespace {

using dev_support::ScratchFolder;

class Ini : public testing::Test {
protected:
    std::string Path(const std::string& name = "settings.ini") const { return folder.PluginPath() + name; }
    std::string Read(const std::string& section, const std::string& key, const std::string& fallback = "DEF",
                     std::size_t capacity = 100) const {
        return platform::SystemFiles().ReadProfileString(section, key, fallback, Path(), capacity);
    }
    bool Write(const std::string& section, const std::string& key, const std::string& value) const {
        return platform::SystemFiles().WriteProfileString(section, key, value, Path());
    }
    void Given(const std::string& bytes) const { folder.WriteFile("settings.ini", bytes); }
    std::string Bytes() const { return folder.ReadFile("settings.ini"); }

    ScratchFolder folder;
};

TEST_F(Ini, WritesIntoNoFile_ResultInSectionsInOrderWithCrLfAndNoBlankLines) {
    EXPECT_TRUE(Write("Piloting", "bNoPilotingSkillRequirement", "0"));
    EXPECT_EQ(Bytes(), "[Piloting]\r\nbNoPilotingSkillRequirement=0\r\n");
    EXPECT_TRUE(Write("Export", "bSkipBOOK", "0"));
    EXPECT_TRUE(Write("Export", "bSkipMISC", "  7  "));
    EXPECT_TRUE(Write("Misc", "bAlwaysReloadSettingsOnCommand", ""));
    EXPECT_EQ(Bytes(),
              "[Piloting]\r\nbNoPilotingSkillRequirement=0\r\n"
              "[Export]\r\nbSkipBOOK=0\r\nbSkipMISC=7\r\n"
              "[Misc]\r\nbAlwaysReloadSettingsOnCommand=\r\n");
    EXPECT_EQ(Read("Export", "bSkipMISC"), "7");
    EXPECT_EQ(Read("Misc", "bAlwaysReloadSettingsOnCommand"), "");
}

TEST_F(Ini, ValueWrittenWithBlanksAroundIt_ResultsInTheBlanksBeforeItDroppedAndNoneReadBack) {
    EXPECT_TRUE(Write("S", "k", "\t v  "));
    EXPECT_EQ(Bytes(), "[S]\r\nk=v  \r\n");
    EXPECT_EQ(Read("S", "k"), "v");
}

TEST_F(Ini, WritesIntoAFileWithDuplicatesAndOtherCase_ResultInTheFirstMatchUpdatedAndNewEntriesAtTheEnd) {
    Given("[S]\r\nk=1\r\nK=2\r\n[T]\r\n[s]\r\nb=2\r\n");
    EXPECT_TRUE(Write("s", "K", "3"));
    EXPECT_TRUE(Write("S", "b", "4"));
    EXPECT_TRUE(Write("U", "n", "5"));
    EXPECT_EQ(Bytes(), "[S]\r\nk=3\r\nK=2\r\nb=4\r\n[T]\r\n[s]\r\nb=2\r\n[U]\r\nn=5\r\n");
    EXPECT_EQ(Read("S", "B"), "4");
}

TEST_F(Ini, WriteIntoAFileWithLfLineEndsAndComments_ResultsInCrLfWithCommentsKeptAndBlankLinesDropped) {
    Given("; top comment\n\n[S]\nx=1\n\n; c2\n[T]\ny=2\n");
    EXPECT_TRUE(Write("T", "z", "3"));
    EXPECT_EQ(Bytes(), "; top comment\r\n[S]\r\nx=1\r\n; c2\r\n[T]\r\ny=2\r\nz=3\r\n");
}

TEST_F(Ini, WriteOfTheValueAlreadyThere_ResultsInAnUntouchedFile) {
    Given("[S]\nk=v\n");
    EXPECT_TRUE(Write("S", "k", "v"));
    EXPECT_EQ(Bytes(), "[S]\nk=v\n");
}

TEST_F(Ini, WritesIntoUnusualFiles_ResultInTheirShapeKeptWhereWineKeepsIt) {
    Given("\xEF\xBB\xBFk=top\r\n[S]\r\nx=1");
    EXPECT_TRUE(Write("S", "y", "2"));
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBFk=top\r\n[S]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(Read("", "k"), "top");
}

TEST_F(Ini, WriteWhereNoFileCanBe_ResultsInFailureAndNoFile) {
    EXPECT_FALSE(platform::SystemFiles().WriteProfileString("S", "k", "v", folder.PluginPath() + "missing\\settings.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder.Native("missing")));
    std::filesystem::create_directory(folder.Native("taken.ini"));
    EXPECT_FALSE(platform::SystemFiles().WriteProfileString("S", "k", "v", Path("taken.ini")));
    EXPECT_EQ(platform::SystemFiles().ReadProfileString("S", "k", "DEF", Path("taken.ini"), 100), "DEF");
}

TEST_F(Ini, ReadsOfQuotedAndCommentedValues_ResultInOnePairOfQuotesRemovedAndTheCommentKept) {
    Given("[S]\r\n"
          "a=\"q\"\r\nb='s'\r\nc=\"unb\r\nd= 1 ; comment\r\n e = x y \r\nf\r\n"
          "i= \"  in  \" \r\nj=\"a\"b\"\r\nl=\"\r\nm=''\r\nn='\"x\r\nk=\r\n;g=1\r\n");
    EXPECT_EQ(Read("S", "a"), "q");
    EXPECT_EQ(Read("S", "b"), "s");
    EXPECT_EQ(Read("S", "c"), "\"unb");
    EXPECT_EQ(Read("S", "d"), "1 ; comment");
    EXPECT_EQ(Read("S", "e"), "x y");
    EXPECT_EQ(Read("S", " E "), "x y");
    EXPECT_EQ(Read("S", "f"), "DEF");
    EXPECT_EQ(Read("S", "i"), "  in  ");
    EXPECT_EQ(Read("S", "j"), "a\"b");
    EXPECT_EQ(Read("S", "l"), "\"");
    EXPECT_EQ(Read("S", "m"), "");
    EXPECT_EQ(Read("S", "n"), "'\"x");
    EXPECT_EQ(Read("S", "k"), "");
    EXPECT_EQ(Read("S", ";g"), "1");
    EXPECT_EQ(Read("S", "missing"), "DEF");
}

TEST_F(Ini, ReadsOfUnusualSectionHeaders_ResultInTheFirstSectionOfANameOnly) {
    Given("k=top\r\n[S] junk\r\na=1\r\n[T\r\nb=2\r\n  [ U ] \r\nc=3\r\n[S]\r\nd=4\r\na=5\r\n");
    EXPECT_EQ(Read("", "k"), "top");
    EXPECT_EQ(Read("S", "a"), "1");
    EXPECT_EQ(Read("S", "[T"), "DEF");
    EXPECT_EQ(Read("S", "b"), "2");
    EXPECT_EQ(Read("T", "b"), "DEF");
    EXPECT_EQ(Read("U", "c"), "3");
    EXPECT_EQ(Read(" u ", "c"), "3");
    EXPECT_EQ(Read("S", "d"), "DEF");
}

TEST_F(Ini, ReadsWithOtherLineEnds_ResultInTheSameValues) {
    Given("[S]\rk=v\x1a\rj=w\r\n\n\rl=x");
    EXPECT_EQ(Read("S", "k"), "v");
    EXPECT_EQ(Read("S", "j"), "w");
    EXPECT_EQ(Read("S", "l"), "x");
}

TEST_F(Ini, ReadsIntoSmallBuffers_ResultInAtMostOneCharacterLessThanTheBuffer) {
    Given("[S]\r\nlong=abcdefgh\r\nquoted=\"abcdefgh\"\r\n");
    EXPECT_EQ(Read("S", "long", "", 9), "abcdefgh");
    EXPECT_EQ(Read("S", "long", "", 8), "abcdefg");
    EXPECT_EQ(Read("S", "long", "", 5), "abcd");
    EXPECT_EQ(Read("S", "long", "", 1), "");
    EXPECT_EQ(Read("S", "long", "", 0), "");
    EXPECT_EQ(Read("S", "quoted", "", 10), "abcdefgh");
    // Wine's quote removal costs one more character when the buffer is just
    // big enough for the value without its opening quote.
    EXPECT_EQ(Read("S", "quoted", "", 9), "abcdefg");
    EXPECT_EQ(Read("S", "quoted", "", 5), "abcd");
    EXPECT_EQ(Read("S", "missing", "defaultlong", 5), "defa");
}

TEST_F(Ini, ReadsOfAbsentKeysOrFiles_ResultInTheDefaultWithoutTrailingSpacesOrQuotes) {
    Given("[S]\r\nk=v\r\n");
    EXPECT_EQ(Read("S", "missing", "  def  "), "  def");
    EXPECT_EQ(Read("S", "missing", " "), " ");
    EXPECT_EQ(Read("S", "missing", "d\t"), "d\t");
    EXPECT_EQ(Read("S", "missing", "\"def\""), "def");
    EXPECT_EQ(Read("S", "missing", ""), "");
    EXPECT_EQ(platform::SystemFiles().ReadProfileString("S", "k", "'x'", Path("absent.ini"), 100), "x");
    EXPECT_EQ(platform::SystemFiles().ReadProfileString("S", "k", "", folder.PluginPath() + "absent\\a.ini", 100), "");
}

}  // namespace
