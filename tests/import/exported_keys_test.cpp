// The readers take a line whose key part is spelt as the exporter writes it
// ("DecorItem[12].fPosX ", "Blueprint.data[3].partID ") on a short way, and
// every other key part through the general search for keys anywhere in it.
// Both ways must read each line alike. A blank before the key part keeps
// every key and index where it was but sends the line the general way, so
// each generated line is read twice, once as it stands and once with that
// blank, and the two readings must agree in every verdict, refusal and value.
// The lines are the exporter's, changed in their indices, fields, brackets
// and blanks, with names that hold keys, bars and brackets.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "host/layouts/ShipComponents.h"
#include "import/reading/InteriorReader.h"
#include "import/reading/LayoutReader.h"
#include "tests/support/ListedForms.h"

namespace {

using namespace Corvanis;

class KeyParts {
public:
    explicit KeyParts(std::uint32_t seed) : random_(seed) {}

    int Below(int count) { return static_cast<int>(random_() % static_cast<std::uint32_t>(count)); }

    template <std::size_t N>
    std::string Pick(const char* const (&choices)[N]) {
        return choices[Below(static_cast<int>(N))];
    }

    // An index, mostly as the exporter writes it.
    std::string Index(int items) {
        static const char* const kOdd[] = {"", "-1", " 1", "1 ", "01", "+0", "x", "0000000001", "2147483647",
                                           "2147483648", "4294967297", "18446744073709551617", "1]["};
        return Below(4) == 0 ? Pick(kOdd) : std::to_string(Below(items + 1));
    }

    // A field, mostly one of the table's, sometimes with more after it.
    std::string Field(const std::vector<std::string>& fields) {
        // The last few are as long as a field and end as it does, but differ
        // in one byte elsewhere: a field is told by its length and its last
        // four bytes first.
        static const char* const kOdd[] = {"", ".", ".fPos", ".basex", ".base.fScale", "]", "[2]", ".DecorItem[1]",
                                           ".data[1]", "Blueprint.unk08", " |", "xbase", ".fPo_X", "_fScale",
                                           ".overr_deName", ".bWorkshopI_em", ".bW_rkshopItem", ".partIX", "_partID"};
        std::string field = fields[static_cast<std::size_t>(Below(static_cast<int>(fields.size())))];
        switch (Below(8)) {
            case 0: return Pick(kOdd);
            case 1: return field + Pick(kOdd);
            case 2: return Pick(kOdd) + field;
            default: return field;
        }
    }

    std::string Blanks() {
        static const char* const kBlanks[] = {" ", " ", " ", " ", "", "  ", "\t", " x"};
        return Pick(kBlanks);
    }

    std::string Value() {
        static const char* const kValues[] = {
            "1.500000", "-0.250000", "180.000000", "0.000000", "-0.000000", "12", " 2.5", "1e3", "0A3002|Veltrane.vmf",
            "801|Trimwork.vmf", "803|Trimwork.vmf", "Crate.base|DecorItem[0].fPosX |3", "a|b[7]", "%n",
            "0x1.8p1", "inf", ""};
        return Pick(kValues);
    }

    // A key part of the list's, changed now and then; a line without a bar
    // now and then.
    std::string Line(const std::string& marker, int items, const std::vector<std::string>& fields) {
        std::string key = marker + Index(items) + "]" + Field(fields) + Blanks();
        if (Below(10) == 0) key.insert(static_cast<std::size_t>(Below(static_cast<int>(key.size()) + 1)), "]");
        if (Below(10) == 0) key.insert(static_cast<std::size_t>(Below(static_cast<int>(key.size()) + 1)), "[");
        if (Below(20) == 0) return key;
        return key + "|" + Value();
    }

private:
    std::mt19937 random_;
};

// How one reader read a list of lines: each verdict, and for a refusal what
// the import shows of it. The phase names the line; the line's own text is
// left out, which differs by the blank.
template <class Reader>
std::vector<std::string> Readings(Reader& reader, const std::vector<std::string>& lines, const std::string& before) {
    std::vector<std::string> readings;
    for (const std::string& text : lines) {
        const std::string line = before + text;
        ImportErrorInfo refusal;
        const LineVerdict verdict = reader.ReadLine(BlueprintLine(line), refusal);
        std::string reading = std::to_string(static_cast<int>(verdict));
        if (verdict == LineVerdict::Refused) {
            const std::string at = " at " + line;
            EXPECT_TRUE(refusal.sPhase.ends_with(at)) << refusal.sPhase;
            reading += " " + refusal.sPhase.substr(0, refusal.sPhase.size() - at.size()) + " | " +
                       refusal.sExtraErrorText;
        }
        readings.push_back(reading);
    }
    return readings;
}

class ExportedKeys : public testing::Test {
protected:
    corvanis_test::ListedForms forms;
    veltrane::Form* mug = forms.Add("Veltrane.vmf", 0xA3002, veltrane::kFormTypeMisc);
    veltrane::Form* lantern = forms.Add("Trimwork.vmf", 0x801, veltrane::kFormTypeMisc);
    veltrane::Form* module = forms.Add("Trimwork.vmf", 0x803, veltrane::kFormTypeGenericBaseForm);
};

TEST_F(ExportedKeys, DecorationLines_AreReadAsTheSameLinesReadThroughTheGeneralSearch) {
    const std::vector<std::string> fields{".base",  ".fPosX",  ".fPosY",        ".fPosZ",         ".fRotX",
                                          ".fRotY", ".fRotZ",  ".fScale",       ".overrideName",  ".bWorkshopItem"};
    KeyParts keyParts(20261208);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines;
        for (int item = 0; item < 6; ++item) {
            lines.push_back("DecorItem[" + std::to_string(item) + "].base |0A3002|Veltrane.vmf");
            for (int i = 0; i < 8; ++i) lines.push_back(keyParts.Line("DecorItem[", 6, fields));
        }
        std::vector<DecorItemRecord> asWritten;
        std::vector<DecorItemRecord> general;
        InteriorReader writtenReader(forms, asWritten);
        InteriorReader generalReader(forms, general);
        ASSERT_EQ(Readings(writtenReader, lines, ""), Readings(generalReader, lines, " ")) << "round " << round;
        ASSERT_EQ(asWritten.size(), general.size());
        for (std::size_t i = 0; i < asWritten.size(); ++i) {
            const DecorItemRecord& a = asWritten[i];
            const DecorItemRecord& b = general[i];
            EXPECT_EQ(a.base, b.base);
            for (float DecorItemRecord::*value : {&DecorItemRecord::fPosX, &DecorItemRecord::fPosY,
                                                  &DecorItemRecord::fPosZ, &DecorItemRecord::fRotX,
                                                  &DecorItemRecord::fRotY, &DecorItemRecord::fRotZ,
                                                  &DecorItemRecord::fScale}) {
                EXPECT_EQ(std::memcmp(&(a.*value), &(b.*value), sizeof(float)), 0) << "round " << round;
            }
            EXPECT_EQ(a.overrideName, b.overrideName);
            EXPECT_EQ(a.bWorkshopItem, b.bWorkshopItem);
        }
    }
}

TEST_F(ExportedKeys, ModuleLines_AreReadAsTheSameLinesReadThroughTheGeneralSearch) {
    const std::vector<std::string> fields{".fPosX", ".fPosY", ".fRotZ", ".partID", ".unk1C", ".unk38", ".unk39",
                                          ".unk3A", ".unk3C", ".unk40", ".unk48_98", ".item", ".unkA4", ".data["};
    KeyParts keyParts(20261209);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines;
        for (int part = 0; part < 6; ++part) {
            lines.push_back("Blueprint.data[" + std::to_string(part) + "].fPosX |1.000000");
            for (int i = 0; i < 8; ++i) lines.push_back(keyParts.Line("Blueprint.data[", 6, fields));
        }
        LayoutAccumulator asWritten;
        LayoutAccumulator general;
        ReturnStorageBlueprintVersionInfo writtenVersion;
        ReturnStorageBlueprintVersionInfo generalVersion;
        LayoutReader writtenReader(forms, asWritten, writtenVersion);
        LayoutReader generalReader(forms, general, generalVersion);
        ASSERT_EQ(Readings(writtenReader, lines, ""), Readings(generalReader, lines, " ")) << "round " << round;
        ASSERT_EQ(asWritten.parts.size(), general.parts.size());
        for (std::size_t i = 0; i < asWritten.parts.size(); ++i) {
            EXPECT_EQ(std::memcmp(&asWritten.parts[i].record, &general.parts[i].record,
                                  sizeof(veltrane::BlueprintPartRecord)),
                      0)
                << "round " << round << ", module " << i;
            EXPECT_EQ(asWritten.parts[i].uLegacyUnk3C, general.parts[i].uLegacyUnk3C);
        }
    }
}

}  // namespace
