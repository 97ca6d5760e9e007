// The console as plug-ins meet it: command tables they scan and write into,
// the parameter extractor their handlers call, and the console print.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/CommandTables.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"
#include "tests/support/GameErrors.h"

namespace {

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

const char* kTablesWorld = R"({
  "format": "veltrane-world 1", "files": [], "player": null,
  "console": {
    "scriptCommands": {"entries": [
      {"command": "GetPosition", "short": "GetPos", "help": "Tells where a reference stands"},
      "unnamed", "free", {"command": "SetScale"}, "free"]},
    "consoleCommands": {"firstOpcode": "0x340", "entries": [{"command": "ToggleMenus", "short": "tm"}, "free"]}
  }
})";

// What the plug-in's scan sees: entries from the first while the opcode is
// below the bound.
std::vector<const veltrane::CommandEntry*> Scan(const veltrane::CommandEntry* table, std::uint32_t bound) {
    std::vector<const veltrane::CommandEntry*> seen;
    for (const veltrane::CommandEntry* entry = table; entry->opcode < bound; ++entry) seen.push_back(entry);
    return seen;
}

bool IsFreeSlot(const veltrane::CommandEntry* entry) {
    return entry->longName != nullptr && entry->execute == Game().placeholderHandler;
}

// --- A plug-in command that reads its one text parameter --------------------------

struct Extraction {
    bool ok = false;
    std::string text;
    bool guardIntact = false;
    bool called = false;
};
Extraction g_extraction;

constexpr std::size_t kGuard = 64;

bool ReadNameHandler(void* parameters, void* scriptData, void* thisObject, void* containingObject, void* script,
                     void* locals, void*, void* opcodeOffset) {
    std::vector<unsigned char> buffer(veltrane::kParameterTextCapacity + kGuard, 0xAB);
    std::memset(buffer.data(), 0, veltrane::kParameterTextCapacity);
    g_extraction.called = true;
    g_extraction.ok = Game().ExtractParameters(parameters, scriptData, opcodeOffset, thisObject, containingObject,
                                               script, locals, reinterpret_cast<char*>(buffer.data()));
    g_extraction.text = reinterpret_cast<const char*>(buffer.data());
    g_extraction.guardIntact = true;
    for (std::size_t i = veltrane::kParameterTextCapacity; i < buffer.size(); ++i) {
        g_extraction.guardIntact = g_extraction.guardIntact && buffer[i] == 0xAB;
    }
    return g_extraction.ok;
}

veltrane::ParameterDefinition g_nameParameter{"asBlueprintName", 0, 0};

veltrane::CommandEntry* InstallReadName() {
    for (const veltrane::CommandEntry* entry : Scan(Game().scriptCommands, 0x13C0)) {
        if (!IsFreeSlot(entry)) continue;
        auto* slot = const_cast<veltrane::CommandEntry*>(entry);
        slot->longName = "ReadName";
        slot->shortName = "";
        slot->helpText = "Reads a name (a test plug-in)";
        slot->flags = 0;
        slot->parameterCount = 1;
        slot->parameters = &g_nameParameter;
        slot->execute = &ReadNameHandler;
        return slot;
    }
    return nullptr;
}

Extraction RunReadName(const std::string& line) {
    g_extraction = Extraction{};
    sim::RunConsoleLine(line);
    return g_extraction;
}

class ParameterExtractor : public ::testing::Test {
protected:
    void SetUp() override {
        simtest::LoadWorldText(kTablesWorld);
        ASSERT_NE(InstallReadName(), nullptr);
    }
};

TEST_F(ParameterExtractor, AMissingArgument_GivesAnEmptyTextAndSuccess) {
    const Extraction read = RunReadName("ReadName");
    EXPECT_TRUE(read.called);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.text, "");
}

TEST_F(ParameterExtractor, QuotesKeepBlanksInsideOneArgument) {
    EXPECT_EQ(RunReadName("ReadName \"My Ship\"").text, "My Ship");
    EXPECT_EQ(RunReadName("readname   Alpha|Beta  ").text, "Alpha|Beta");
    EXPECT_EQ(RunReadName("ReadName 100%").text, "100%");
}

TEST_F(ParameterExtractor, MoreArgumentsThanParametersOrAnOpenQuote_Fail) {
    EXPECT_FALSE(RunReadName("ReadName My Ship").ok);
    EXPECT_FALSE(RunReadName("ReadName \"My Ship").ok);
}

TEST_F(ParameterExtractor, An511ByteArgumentFits_512AndMoreFailWithoutTouchingTheBuffer) {
    const Extraction fits = RunReadName("ReadName " + std::string(511, 'x'));
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(fits.text, std::string(511, 'x'));
    EXPECT_TRUE(fits.guardIntact);
    for (std::size_t length : {512, 600}) {
        const Extraction tooLong = RunReadName("ReadName " + std::string(length, 'y'));
        EXPECT_FALSE(tooLong.ok) << length;
        EXPECT_EQ(tooLong.text, "") << length;
        EXPECT_TRUE(tooLong.guardIntact) << length;
    }
}

// Hands the extractor the values in the handler's own order instead of the
// extractor's (which takes the 8th third).
bool ForwardInHandlerOrder(void* parameters, void* scriptData, void* thisObject, void* containingObject,
                           void* script, void* locals, void*, void* opcodeOffset) {
    char text[veltrane::kParameterTextCapacity] = {};
    return Game().ExtractParameters(parameters, scriptData, thisObject, containingObject, script, locals,
                                    opcodeOffset, text);
}

TEST_F(ParameterExtractor, ValuesHandedOnOutOfTheirPlaces_AreAGameError) {
    veltrane::CommandEntry* slot = InstallReadName();
    ASSERT_NE(slot, nullptr);
    slot->longName = "ForwardWrongly";
    slot->execute = &ForwardInHandlerOrder;
    corvanis_test::ExpectedGameErrors expected;
    sim::RunConsoleLine("ForwardWrongly Ship");
    EXPECT_EQ(expected.texts,
              std::vector<std::string>{"the parameter extractor was handed the handler's values out of their places"});
}

TEST(CommandTables, EachTableRunsOnToASentinelPastItsScanBound) {
    simtest::LoadWorldText(kTablesWorld);
    const auto script = Scan(Game().scriptCommands, 0x13C0);
    ASSERT_EQ(script.size(), 5u);
    EXPECT_EQ(script.front()->opcode, 0x1000u);
    const veltrane::CommandEntry& sentinel = Game().scriptCommands[5];
    EXPECT_GE(sentinel.opcode, 0x13C0u);
    EXPECT_EQ(sentinel.longName, nullptr);
    EXPECT_EQ(sentinel.execute, nullptr);

    // The game's own commands come first, so this table is already past its
    // bound within them.
    const auto console = Scan(Game().consoleCommands, 0x347);
    ASSERT_EQ(console.size(), 7u);
    EXPECT_STREQ(console.front()->longName, "help");
    for (const auto* entry : console) EXPECT_FALSE(IsFreeSlot(entry));
}

TEST(CommandTables, ATableStartingPastTheBound_OffersNothingToAScan) {
    simtest::LoadWorldText(R"({"format": "veltrane-world 1", "files": [], "player": null,
        "console": {"scriptCommands": {"firstOpcode": 5056, "entries": ["free", "free"]}}})");
    EXPECT_TRUE(Scan(Game().scriptCommands, 0x13C0).empty());
    EXPECT_TRUE(IsFreeSlot(&Game().scriptCommands[0]));
}

TEST(CommandTables, PlaceholdersWithAndWithoutNames_SitWhereTheWorldPutsThem) {
    simtest::LoadWorldText(kTablesWorld);
    const auto script = Scan(Game().scriptCommands, 0x13C0);
    EXPECT_EQ(script[1]->longName, nullptr);
    EXPECT_EQ(script[1]->execute, Game().placeholderHandler);
    EXPECT_TRUE(IsFreeSlot(script[2]));
    EXPECT_FALSE(IsFreeSlot(script[3]));
    EXPECT_TRUE(IsFreeSlot(script[4]));
}

TEST(CommandTables, FreeingSlotsAtRunTime_TurnsTheFirstScriptCommandsIntoPlaceholders) {
    simtest::LoadWorldText(kTablesWorld);
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.freeslots script 3"),
              (std::vector<std::string>{
                  "sim.freeslots: the script-command table has fewer than 3 script commands to free"}));
    EXPECT_EQ(console.Run("sim.freeslots script 2"),
              (std::vector<std::string>{"Free placeholders made in the script-command table: 2"}));
    const auto script = Scan(Game().scriptCommands, 0x13C0);
    EXPECT_TRUE(IsFreeSlot(script[0]));
    EXPECT_TRUE(IsFreeSlot(script[3]));
    EXPECT_EQ(script[3]->opcode, 0x1003u);
    EXPECT_EQ(console.Run("GetPos"), (std::vector<std::string>{"Unknown command: GetPos"}));
}

TEST(Console, HelpListsEveryCommandWithItsHelp_PlugInCommandsIncludedAndPlaceholdersLeftOut) {
    simtest::LoadWorldText(kTablesWorld);
    ASSERT_NE(InstallReadName(), nullptr);
    sim::AddGameCommand("sim.extra", "A command the loader adds", [](const std::string&) {});
    simtest::ConsoleCapture console;
    const auto lines = console.Run("help");
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "help: Lists the console's commands, or those whose name contains TEXT: help [TEXT]");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
              (std::vector<std::string>{"sim.extra: A command the loader adds", "ToggleMenus (tm)",
                                        "GetPosition (GetPos): Tells where a reference stands",
                                        "ReadName: Reads a name (a test plug-in)", "SetScale"}));
    EXPECT_EQ(console.Run("help sim.ev"),
              (std::vector<std::string>{"sim.events: Shows how many sinks receive player update events: sim.events"}));
}

TEST(Console, SimCommands_ShowsEveryEntryOfATableDownToItsSentinel) {
    simtest::LoadWorldText(kTablesWorld);
    ASSERT_NE(InstallReadName(), nullptr);
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.commands script"),
              (std::vector<std::string>{"0x1000 GetPosition (GetPos)", "0x1001 placeholder without a name",
                                        "0x1002 ReadName [plug-in]", "0x1003 SetScale", "0x1004 free placeholder",
                                        "0x13C0 end of table"}));
}

TEST(Console, CommandsAreFoundByLongOrShortNameInAnyCase) {
    simtest::LoadWorldText(kTablesWorld);
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("  getpos  "),
              (std::vector<std::string>{"GetPosition: this script command has no effect in the simulated game"}));
    EXPECT_EQ(console.Run("TM"),
              (std::vector<std::string>{"ToggleMenus: this script command has no effect in the simulated game"}));
    EXPECT_EQ(console.Run("Placeholder"), (std::vector<std::string>{"Unknown command: Placeholder"}));
    EXPECT_EQ(console.Run("ExportShip MyShip"), (std::vector<std::string>{"Unknown command: ExportShip"}));
    EXPECT_TRUE(console.Run("   ").empty());
}

TEST(Console, ConsolePrint_PrintsEachCallAsOneLineVerbatim) {
    simtest::ConsoleCapture console;
    Game().ConsolePrint("%s", "ExportShipRef: ERROR: file already exists at [.\\Data\\100%d.txt].");
    Game().ConsolePrint("%s", "");
    EXPECT_EQ(console.lines,
              (std::vector<std::string>{"ExportShipRef: ERROR: file already exists at [.\\Data\\100%d.txt].", ""}));
}

}  // namespace
