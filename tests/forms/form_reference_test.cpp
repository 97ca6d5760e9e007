// How forms of full, FE and FD slot files are named in blueprints, and which
// forms cannot be named because their data file cannot be found.
#include <gtest/gtest.h>

#include "forms/FileIndexText.h"
#include "forms/FormIDText.h"
#include "forms/FormReference.h"
#include "forms/HomeFile.h"
#include "sim/GameState.h"
#include "tests/forms/LoadOrderWorld.h"
#include "tests/support/InProcessGame.h"

namespace {

using namespace Corvanis;
using corvanis_test::FormWithID;

const char* const kForms = R"(
    {"id": "Veltrane.vmf:01A2B3", "type": 40},
    {"id": "Frontier.vmf:01A2B3", "type": 40},
    {"id": "Extra.vmf:345", "type": 40},
    {"id": "Crew.vmf:ABCD", "type": 40},
    {"id": "Full02.vmf:01A2B3", "type": 40, "files": ["Veltrane.vmf"]},
    {"id": "@Loose", "formID": "FF001234", "type": 4},
    {"id": "Dormant.vmf:000100", "type": 40},
    {"id": "Frontier.vmf:000200", "type": 40,
     "files": [null, {"object": "Veltrane.vmf:01A2B3"}, "Dormant.vmf", "Frontier.vmf"]},
    {"id": "Frontier.vmf:000300", "type": 40, "files": ["Veltrane.vmf", "Extra.vmf", "Crew.vmf"]},
    {"id": "Frontier.vmf:000400", "type": 40, "fileListIndex": 300},
    {"id": "Frontier.vmf:000500", "type": 40, "files": null},
    {"id": "Veltrane.vmf:000000", "type": 40}
)";

class FormReferences : public testing::Test {
protected:
    void SetUp() override { corvanis_test::LoadWorld(corvanis_test::LoadOrderWorld(kForms)); }

    static const veltrane::FileRecord* File(const char* name) { return sim::TheWorld().FindFile(name); }
};

TEST(FormIDTexts, IDs_ResultInEightUpperCaseDigitsOrNothingFor0) {
    EXPECT_EQ(FormIDHex(0x00000014u), "00000014");
    EXPECT_EQ(FormIDHex(0xFE01abCDu), "FE01ABCD");
    EXPECT_EQ(FormIDHex(0u), "");
    EXPECT_EQ(FormIDHex(static_cast<const host::Form*>(nullptr)), "");
}

TEST_F(FormReferences, FilesOfEachSlotKind_ResultInTheirIndexTexts) {
    EXPECT_EQ(FileIndexText(File("Veltrane.vmf")), "00");
    EXPECT_EQ(FileIndexText(File("Frontier.vmf")), "1A");
    EXPECT_EQ(FileIndexText(File("Extra.vmf")), "FE012");
    EXPECT_EQ(FileIndexText(File("Crew.vmf")), "FD05");
    EXPECT_EQ(FileIndexText(File("Dormant.vmf")), "1B");
    EXPECT_EQ(FileIndexText(File("")), "-01");
    EXPECT_EQ(FileIndexText(nullptr), "-01");
}

TEST_F(FormReferences, FormsOfEachSlotKind_ResultInTheirFilePrefixAndLocalID) {
    const host::Form* full = FormWithID(0x0001A2B3);
    const host::Form* small = FormWithID(0xFE012345);
    const host::Form* medium = FormWithID(0xFD05ABCD);
    EXPECT_EQ(FormIDPrefix(full), "00");
    EXPECT_EQ(FormIDPrefix(small), "FE012");
    EXPECT_EQ(FormIDPrefix(medium), "FD05");
    EXPECT_EQ(FormIDPrefix(FormWithID(0)), "");
    EXPECT_EQ(LocalFormIDText(full, FileSlotKind::Full), "01A2B3");
    EXPECT_EQ(LocalFormIDText(small, FileSlotKind::FE), "345");
    EXPECT_EQ(LocalFormIDText(medium, FileSlotKind::FD), "ABCD");
    EXPECT_EQ(LocalFormIDText(FormWithID(0), FileSlotKind::Full), "");
    EXPECT_EQ(LocalFormIDText(nullptr, FileSlotKind::Full), "");
}

TEST_F(FormReferences, FormsOfFilesInTheirList_ResultInLocalIDAndFileName) {
    EXPECT_EQ(FormReferenceText(FormWithID(0x0001A2B3)), "01A2B3|Veltrane.vmf");
    EXPECT_EQ(FormReferenceText(FormWithID(0x1A01A2B3)), "01A2B3|Frontier.vmf");
    EXPECT_EQ(FormReferenceText(FormWithID(0xFE012345)), "345|Extra.vmf");
    EXPECT_EQ(FormReferenceText(FormWithID(0xFD05ABCD)), "ABCD|Crew.vmf");
    // Empty entries, objects that are not files and inactive files before
    // the form's own file are passed over.
    EXPECT_EQ(FormReferenceText(FormWithID(0x1A000200)), "000200|Frontier.vmf");
    EXPECT_EQ(FindHomeFile(FormWithID(0x1A000200)), File("Frontier.vmf"));
}

TEST_F(FormReferences, FormsWhoseFileCannotBeFound_ResultInNoHomeFileAndNoReference) {
    const std::uint32_t homeless[] = {
        0x0301A2B3,  // its list holds only the master, whose text "00" is not "03"
        0xFF001234,  // created at run time
        0x1B000100,  // its file is inactive
        0x1A000300,  // its own file is not in its list
        0x1A000400,  // its list index is outside the table
        0x1A000500,  // it has no list
        0x00000000,  // ID 0 has no file part
    };
    for (std::uint32_t formID : homeless) {
        EXPECT_EQ(FindHomeFile(FormWithID(formID)), nullptr) << std::hex << formID;
        EXPECT_EQ(FormReferenceText(FormWithID(formID)), std::nullopt) << std::hex << formID;
    }
    EXPECT_EQ(FindHomeFile(nullptr), nullptr);
}

TEST(FormReferencesOfTheMaster, TheMasterOutsideIndex00_IsStill00_AndItsFormsIDsNoLongerMatch) {
    corvanis_test::LoadWorld(R"({"format": "veltrane-world 1", "player": null,
        "files": [{"name": "Other.vmf"}, {"name": "Veltrane.vmf"}],
        "forms": [{"id": "Veltrane.vmf:000800", "type": 40}, {"id": "Other.vmf:000800", "type": 40}]})");
    EXPECT_EQ(FileIndexText(sim::TheWorld().FindFile("Veltrane.vmf")), "00");
    // A full-slot file whose indices make ID 0 has no text of its own.
    EXPECT_EQ(FileIndexText(sim::TheWorld().FindFile("Other.vmf")), "-01");
    EXPECT_EQ(FormReferenceText(FormWithID(0x01000800)), std::nullopt);
    EXPECT_EQ(FormReferenceText(FormWithID(0x00000800)), std::nullopt);
}

}  // namespace
