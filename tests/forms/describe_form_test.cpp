// The one-line descriptions of forms in error texts.
#include <gtest/gtest.h>

#include "forms/DescribeForm.h"
#include "tests/forms/LoadOrderWorld.h"
#include "tests/support/InProcessGame.h"

namespace {

using Corvanis::DescribeForm;
using corvanis_test::AddressText;
using corvanis_test::FormWithID;

const char* const kForms = R"(
    {"id": "Veltrane.vmf:01A2B3", "type": 40, "name": "Crate", "editorID": "CrateLarge01", "fileListIndex": 12},
    {"id": "Veltrane.vmf:000000", "type": 4, "editorID": "Nothing", "fileListIndex": 0},
    {"id": "Extra.vmf:345", "type": 43, "files": null},
    {"id": "@Loose", "formID": "FF001234", "type": 112, "name": "Loose Voice"}
)";

class Descriptions : public testing::Test {
protected:
    void SetUp() override { corvanis_test::LoadWorld(corvanis_test::LoadOrderWorld(kForms)); }
};

TEST_F(Descriptions, AFormWithEverything_ResultsInIDAddressTypeFileListNameAndEditorID) {
    const host::Form* crate = FormWithID(0x0001A2B3);
    EXPECT_EQ(DescribeForm(crate), "[0001A2B3 | " + AddressText(crate) + " | 40|MISC | 12|0xC | Crate | CrateLarge01]");
}

TEST_F(Descriptions, FormsMissingParts_ResultInEmptyIDTypeNameAndPlaceholders) {
    const host::Form* nothing = FormWithID(0);
    EXPECT_EQ(DescribeForm(nothing), "[ | " + AddressText(nothing) + " | 4|KWRD | 0|0x0 | {unnamed} | Nothing]");
    const host::Form* unnamedType = FormWithID(0xFE012345);
    EXPECT_EQ(DescribeForm(unnamedType),
              "[FE012345 | " + AddressText(unnamedType) + " | 43| | 65535|0xFFFF | {unnamed} | {no_edid}]");
    const host::Form* loose = FormWithID(0xFF001234);
    EXPECT_EQ(DescribeForm(loose),
              "[FF001234 | " + AddressText(loose) + " | 112|VTYP | 65535|0xFFFF | Loose Voice | {no_edid}]");
}

TEST_F(Descriptions, PartsSwitchedOff_AreLeftOut) {
    const host::Form* crate = FormWithID(0x0001A2B3);
    EXPECT_EQ(DescribeForm(crate, false, false, false, false), "[0001A2B3 | " + AddressText(crate) + "]");
    EXPECT_EQ(DescribeForm(crate, false, true, false, true),
              "[0001A2B3 | " + AddressText(crate) + " | 12|0xC | CrateLarge01]");
}

TEST_F(Descriptions, NoForm_ResultsInTheNullFormText) {
    EXPECT_EQ(DescribeForm(nullptr), "!!! ERROR: nullptr form !!!");
}

}  // namespace
