// World files: a dump keeps everything its file gave and loads back to the
// same dump, and a bad file is refused whole, with the entry and the problem,
// leaving the running world alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"
#include "sim/worldfile/DefaultWorld.h"
#include "sim/worldfile/Json.h"

namespace {

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

// What a dump lost or changed of its source world, as paths. A form that the
// source names by its editor ID ("WorkshopKeyword", "@Pathfinder") the dump
// names by its file and ID; a number is compared as the float the game keeps.
class DumpLosses {
public:
    explicit DumpLosses(const sim::Json& source) {
        for (const char* section : {"forms", "cells", "references"}) {
            if (!source.contains(section)) continue;
            for (const sim::Json& form : source[section]) {
                if (!form.contains("editorID")) continue;
                const std::string editorID = form["editorID"].get<std::string>();
                idOf_[editorID] = idOf_["@" + editorID] = form["id"].get<std::string>();
            }
        }
    }

    std::vector<std::string> Of(const sim::Json& source, const sim::Json& dump) {
        losses_.clear();
        Compare(source, dump, "");
        return losses_;
    }

private:
    void Compare(const sim::Json& source, const sim::Json& dump, const std::string& path) {
        if (source.is_object()) {
            for (const auto& [key, value] : source.items()) {
                if (!dump.is_object() || !dump.contains(key)) {
                    losses_.push_back(path + "/" + key + " is missing");
                } else {
                    Compare(value, dump[key], path + "/" + key);
                }
            }
        } else if (source.is_array()) {
            if (!dump.is_array() || dump.size() != source.size()) {
                losses_.push_back(path + " has another length");
                return;
            }
            for (std::size_t i = 0; i < source.size(); ++i) Compare(source[i], dump[i], path + "/" + std::to_string(i));
        } else if (!Same(source, dump)) {
            losses_.push_back(path + ": " + source.dump() + " became " + dump.dump());
        }
    }

    bool Same(const sim::Json& source, const sim::Json& dump) const {
        if (source == dump) return true;
        if (source.is_number() && dump.is_number()) {
            return static_cast<float>(source.get<double>()) == static_cast<float>(dump.get<double>());
        }
        if (!source.is_string()) return false;
        const auto id = idOf_.find(source.get<std::string>());
        return id != idOf_.end() && dump == id->second;
    }

    std::map<std::string, std::string> idOf_;
    std::vector<std::string> losses_;
};

sim::Json Parsed(const std::string& text) {
    std::string error;
    std::optional<sim::Json> json = sim::ParseJsonText(text, error);
    if (!json) ADD_FAILURE() << error;
    return json.value_or(sim::Json());
}

// Every world a person starts from: its dump keeps every value its file gives
// (a field the writer dropped would show here), and loads back to itself.
TEST(WorldFile, EachExampleWorldAndTheDefault_DumpsEverythingItsFileGives_AndItsDumpLoadsBackToItself) {
    for (const std::string& source : {simtest::ReadFile(simtest::ExampleWorld("starter.json")),
                                      simtest::ReadFile(simtest::ExampleWorld("second-playthrough.json")),
                                      sim::DefaultWorldText()}) {
        simtest::LoadWorldText(source);
        const std::string dump = sim::DumpWorldToText();
        const sim::Json sourceJson = Parsed(source);
        EXPECT_EQ(DumpLosses(sourceJson).Of(sourceJson, Parsed(dump)), std::vector<std::string>{});
        simtest::LoadWorldText(dump);
        EXPECT_EQ(sim::DumpWorldToText(), dump);
    }
}

std::string WorldWith(const std::string& forms, const std::string& more = "") {
    return R"({"format": "veltrane-world 1", "files": [{"name": "Veltrane.vmf"}, {"name": "Extra.vmf", "slot": "small"}],
               "player": null, "forms": [)" +
           forms + "]" + more + "}";
}

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(WorldFile, FloatsOfEveryKind_KeepTheirBitsThroughADump) {
    const float tiny = std::numeric_limits<float>::denorm_min() * 44;  // a one-byte legacy value read as a float
    const float values[] = {0.1f, -0.0f, 1.0e7f, tiny, 3.4028235e38f, 1.5707964f};
    const char* texts[] = {"0.1", "-0.0", "1e7", "6.2e-44", "3.4028235e38", "1.5707963705062866"};
    std::string modules;
    for (const char* text : texts) {
        modules += std::string(modules.empty() ? "" : ",") + R"({"fPosX": )" + text + R"(, "unk3C": )" + text + "}";
    }
    modules += R"(, {"fPosX": "inf", "fPosY": "-inf", "fPosZ": "nan"})";
    simtest::LoadWorldText(WorldWith(R"({"id": "@Ship", "type": 65, "components": {"Blueprint_Component": {"data": [)" +
                                     modules + "]}}}"));
    simtest::LoadWorldText(sim::DumpWorldToText());

    veltrane::Form* ship = Game().LookupFormByID(0xFF000800);
    veltrane::FixedString name{};
    Game().FixedStringMake(&name, "Blueprint_Component");
    auto* blueprint = static_cast<veltrane::BlueprintComponent*>(Game().FindComponent(ship, &name, 0));
    Game().FixedStringRelease(&name);
    ASSERT_NE(blueprint, nullptr);
    ASSERT_EQ(blueprint->data.count, 7u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(Bits(blueprint->data.data[i].fPosX), Bits(values[i])) << i;
        EXPECT_EQ(Bits(blueprint->data.data[i].unk3C), Bits(values[i])) << i;
    }
    EXPECT_EQ(blueprint->data.data[6].fPosX, std::numeric_limits<float>::infinity());
    EXPECT_EQ(blueprint->data.data[6].fPosY, -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(blueprint->data.data[6].fPosZ));
}

TEST(WorldFile, BadFiles_AreRefusedWithTheFileTheEntryAndTheProblem) {
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {R"({"format": "veltrane-world 1", "files": [], "player": null,)",
         "test.json: parse error at line 1, column 60: syntax error while parsing object key - unexpected end of "
         "input; expected string literal"},
        {R"({"format": "veltrane-world 2", "files": [], "player": null})",
         "test.json: format: must be \"veltrane-world 1\""},
        {R"({"format": "veltrane-world 1", "files": []})", "test.json: the field \"player\" is missing"},
        {WorldWith(R"({"id": "Veltrane.vmf:005627", "editorID": "SpaceshipCockpitPilotSeat"})"),
         "test.json: forms[0] (Veltrane.vmf:005627): the field \"type\" is missing"},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40, "nmae": "Crate"})"),
         "test.json: forms[0] (Veltrane.vmf:000800): unknown field \"nmae\""},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40, "name": "A", "name": "B"})"),
         "test.json: forms[0].name: the key is given twice"},
        {WorldWith(R"({"id": "Veltrane.vmf:005627", "type": 4}, {"id": "Veltrane.vmf:5627", "type": 4})"),
         "test.json: forms[1] (Veltrane.vmf:5627): the form ID 00005627 is also used by forms[0] "
         "(Veltrane.vmf:005627)"},
        {WorldWith(R"({"id": "@Ship", "type": 65}, {"id": "@Ship", "type": 65})"),
         "test.json: forms[1].id: the name @Ship is also used by forms[0] (@Ship)"},
        {WorldWith(R"({"id": "@Ship", "formID": "FF000900", "type": 65}, {"id": "#FF000900", "type": 65})"),
         "test.json: forms[1] (#FF000900): the form ID FF000900 is also used by forms[0] (@Ship)"},
        {WorldWith(R"({"id": "Extra.vmf:1000", "type": 40})"),
         "test.json: forms[0].id: the local ID does not fit a file of that slot"},
        {WorldWith(R"({"id": "Missing.vmf:000800", "type": 40})"),
         "test.json: forms[0].id: no loaded file is named \"Missing.vmf\""},
        {WorldWith(R"({"id": "Crate", "type": 40})"),
         "test.json: forms[0].id: must be a file and local ID (Veltrane.vmf:01A2B3), a run-time name (@Name) or a "
         "run-time ID (#FF000801)"},
        {WorldWith(R"({"id": "#0001A2B3", "type": 40})"),
         "test.json: forms[0].id: a form from a data file is named by its file and local ID (Veltrane.vmf:01A2B3)"},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 74})"),
         "test.json: forms[0] (Veltrane.vmf:000800).type: a reference belongs in \"references\""},
        {WorldWith(R"({"id": "@Ship", "type": 65, "components": {"Blueprint_Component": {"data": [{"item": "Veltrane.vmf:0BAD01"}]}}})"),
         "test.json: forms[0] (@Ship).components.Blueprint_Component.data[0].item: unknown form "
         "\"Veltrane.vmf:0BAD01\""},
        {WorldWith(R"({"id": "@Ship", "type": 65, "components": {"Engine_Component": {}}})"),
         "test.json: forms[0] (@Ship).components.Engine_Component: unknown component type"},
        {WorldWith(R"({"id": "@Ship", "type": 65, "components": {"Blueprint_Component": {"data": [{"fPosX": 1e39}]}}})"),
         "test.json: number overflow parsing '1e39'"},
        {WorldWith(R"({"id": "@Ship", "type": 65, "components": {"Blueprint_Component": {"data": [{"unk38": 256}]}}})"),
         "test.json: forms[0] (@Ship).components.Blueprint_Component.data[0].unk38: must be a whole number from 0 "
         "to 255"},
        {WorldWith(R"({"id": "@Ship", "type": 65, "components": {"QRNPropertySheet_Component": {}}})"),
         "test.json: forms[0] (@Ship).components.QRNPropertySheet_Component: the field \"sheet\" is missing"},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40, "editorID": "Crate"},
                      {"id": "Veltrane.vmf:000801", "type": 40, "editorID": "Crate"},
                      {"id": "Veltrane.vmf:000802", "type": 47, "keywords": ["Crate"]})"),
         "test.json: forms[2] (Veltrane.vmf:000802).keywords[0]: the editor ID \"Crate\" belongs to more than one "
         "form"},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40})",
                   R"(, "references": [{"id": "@Crate", "base": "Veltrane.vmf:000801"}])"),
         "test.json: references[0] (@Crate).base: unknown form \"Veltrane.vmf:000801\""},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40})",
                   R"(, "cells": [{"id": "@Hold", "interior": true, "references": ["@Crate"]},
                                  {"id": "@Deck", "interior": true, "references": ["@Crate"]}],
                      "references": [{"id": "@Crate", "base": "Veltrane.vmf:000800"}])"),
         "test.json: cells[1] (@Deck).references[0]: the reference is already in @Hold"},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40})",
                   R"(, "cells": [{"id": "@Hold", "references": []}])"),
         "test.json: cells[0] (@Hold): the field \"interior\" is missing"},
        {WorldWith(R"({"id": "Veltrane.vmf:000800", "type": 40})",
                   R"(, "console": {"scriptCommands": {"entries": ["free", "taken"]}})"),
         "test.json: console.scriptCommands.entries[1]: must be \"free\", \"unnamed\" or an object with "
         "\"command\" or \"plugin\""},
    };
    for (const Case& c : cases) EXPECT_EQ(simtest::WorldTextError(c.text), c.error);
}

TEST(WorldFile, AMissingFileOrAFolder_IsRefusedWithItsPath) {
    std::string error;
    EXPECT_FALSE(sim::LoadWorld(simtest::ExampleWorld("missing.json"), error));
    EXPECT_EQ(error, simtest::ExampleWorld("missing.json") + ": the file cannot be read");
    EXPECT_FALSE(sim::LoadWorld(simtest::ExampleWorld(""), error));
    EXPECT_EQ(error, simtest::ExampleWorld("") + ": the file cannot be read");
}

TEST(WorldFile, AFileThatFailsHalfway_LeavesTheRunningWorldAsItWas) {
    sim::LoadDefaultWorld();
    const std::string before = sim::DumpWorldToText();
    EXPECT_NE(simtest::WorldTextError(WorldWith(
                  R"({"id": "@Ship", "type": 65, "components": {"KORModel_Component": {"model": "x.nif"},
                      "Blueprint_Component": {"unk10": "Layout", "data": [{"item": null}, {"item": "Nowhere"}]}}})")),
              "");
    EXPECT_EQ(sim::DumpWorldToText(), before);
    EXPECT_NE(Game().LookupFormByID(0x00005627), nullptr);
}

TEST(WorldFile, FileListsThatAreOddOnPurpose_SurviveADump) {
    simtest::LoadWorldText(R"({"format": "veltrane-world 1", "player": null,
        "files": [{"name": "Veltrane.vmf"}, {"name": "Extra.vmf", "slot": "small", "flags": 0}],
        "forms": [
          {"id": "Veltrane.vmf:000800", "type": 4, "files": ["Veltrane.vmf", null, {"object": "Veltrane.vmf:000801"}, "Extra.vmf"]},
          {"id": "Veltrane.vmf:000801", "type": 4, "files": null},
          {"id": "Veltrane.vmf:000802", "type": 4, "fileListIndex": 40},
          {"id": "Veltrane.vmf:000803", "type": 4, "files": []},
          {"id": "@Made", "type": 40, "files": ["Veltrane.vmf"]},
          {"id": "Veltrane.vmf:000804", "type": 4}
        ]})");
    const veltrane::FileListTable& table = *Game().fileLists;
    veltrane::Form* odd = Game().LookupFormByID(0x800);
    const std::uint16_t index = Game().FormGetFileListIndex(odd);
    ASSERT_LT(index, table.count);
    const veltrane::FileList& list = table.lists[index];
    ASSERT_EQ(list.count, 4u);
    EXPECT_EQ(list.files[1], nullptr);
    EXPECT_FALSE(Game().IsFileRecord(list.files[2]));
    EXPECT_EQ(Game().FileGetFlags(list.files[3]), 0u);
    EXPECT_EQ(Game().FormGetFileListIndex(Game().LookupFormByID(0x801)), veltrane::kNoFileList);
    EXPECT_EQ(Game().FormGetFileListIndex(Game().LookupFormByID(0x802)), 40);
    EXPECT_EQ(Game().FormGetFileListIndex(Game().LookupFormByID(0x804)),
              Game().FormGetFileListIndex(Game().LookupFormByID(0xFF000800)));

    const std::string first = sim::DumpWorldToText();
    simtest::LoadWorldText(first);
    EXPECT_EQ(sim::DumpWorldToText(), first);
}

}  // namespace

namespace {

// What a real game's memory may hold and a world stages: lists two forms
// share, an empty list whose storage is no heap block, attach parents without
// an empty entry after them, a stale table of loaded cells.
TEST(WorldFile, MemoryThatIsOddOnPurpose_SurvivesADumpAndTheGameReadsIt) {
    simtest::LoadWorldText(R"({"format": "veltrane-world 1", "player": null,
        "files": [{"name": "Veltrane.vmf"}],
        "game": {"cellManager": {"currentCell": "Deck", "loadedCells": ["Deck"], "table": "unmapped"}},
        "forms": [
          {"id": "Veltrane.vmf:000800", "type": 170, "editorID": "Ladder"},
          {"id": "Veltrane.vmf:000801", "type": 4, "editorID": "Slot"},
          {"id": "Veltrane.vmf:000802", "type": 65, "editorID": "Original", "components": {
            "QRNStoredTraversals_Component": {"traversals2": [{"traversals": [{"traversal": "Ladder"}]}]}}},
          {"id": "@Copy", "type": 65, "components": {
            "QRNStoredTraversals_Component": {"traversals1": "emptyInImage",
              "traversals2": [{"traversalsOf": {"form": "Original", "group": 0}, "unk14": 2.0}]},
            "QRNAttachParentArray_Component": {"keywords": ["Slot", "Ladder"], "count": 1, "terminated": false}}}
        ],
        "cells": [{"id": "Veltrane.vmf:000900", "editorID": "Deck", "interior": true}]})");
    const std::string first = sim::DumpWorldToText();
    for (const char* staged : {"\"traversalsOf\"", "\"emptyInImage\"", "\"terminated\": false", "\"unmapped\""}) {
        EXPECT_NE(first.find(staged), std::string::npos) << staged;
    }
    simtest::LoadWorldText(first);
    EXPECT_EQ(sim::DumpWorldToText(), first);
}

}  // namespace
