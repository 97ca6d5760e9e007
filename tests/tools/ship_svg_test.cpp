// The ship's picture as an XML parser reads it: whatever a player named the
// ship or however many module forms it has, the SVG is well-formed, says the
// name as the player wrote it and gives each form its own colour.
#include <gtest/gtest.h>

#include <expat.h>

#include <set>
#include <string>
#include <vector>

#include "tools/blueprint/ShipSvg.h"

namespace {

using namespace blueprint_tool;

struct Parsed {
    bool wellFormed = false;
    std::string title;              // the text of the first <text>
    std::vector<std::string> fills;  // of the top view's modules
    std::size_t items = 0;           // in the top view
};

Parsed Parse(const std::string& svg) {
    struct State {
        Parsed parsed;
        int texts = 0;
        bool inFirstText = false;
        bool inTop = false;
    } state;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto& s = *static_cast<State*>(data);
            std::string cssClass, id, fill;
            for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
                const std::string key = a[0];
                if (key == "class") cssClass = a[1];
                if (key == "id") id = a[1];
                if (key == "fill") fill = a[1];
            }
            if (cssClass == "view") s.inTop = id == "top";
            if (s.inTop && cssClass == "module") s.parsed.fills.push_back(fill);
            if (s.inTop && cssClass.starts_with("item")) ++s.parsed.items;
            s.inFirstText = std::string(name) == "text" && s.texts++ == 0;
        },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->inFirstText = false; });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto& s = *static_cast<State*>(data);
        if (s.inFirstText) s.parsed.title.append(text, static_cast<std::size_t>(length));
    });
    state.parsed.wellFormed = XML_Parse(parser, svg.data(), static_cast<int>(svg.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return state.parsed;
}

TEST(ShipSvg, NamesWithMarkupCodePageBytesAndControlCharacters_AreShownAsWritten_InAWellFormedDocument) {
    ShipPicture ship;
    // "Zéphyr" as the game's Windows code page stores it, and a UTF-8 name.
    ship.name = "<Tom & \"Jerry\"> Z\xE9phyr \xE2\x98\x85\x01";
    ship.modules = {{{0, 0, 0}, "0A2000|Veltrane.vmf"}, {{0, 4, 0}, "1|<odd>&.vmf"}};
    ship.items = {{{1, 1, 1}, "0A3002|Veltrane.vmf", false}, {{1, 2, 1}, "0A3013|Veltrane.vmf", true}};
    const Parsed parsed = Parse(ShipSvg(ship));
    ASSERT_TRUE(parsed.wellFormed);
    EXPECT_EQ(parsed.title, "<Tom & \"Jerry\"> Z\xC3\xA9phyr \xE2\x98\x85\xEF\xBF\xBD");
    EXPECT_EQ(parsed.fills.size(), 2u);
    EXPECT_EQ(parsed.items, 2u);
}

TEST(ShipSvg, AShipWithoutModulesOrItems_IsAPictureAllTheSame) {
    const Parsed parsed = Parse(ShipSvg({"", {}, {}}));
    ASSERT_TRUE(parsed.wellFormed);
    EXPECT_EQ(parsed.title, "(unnamed ship)");
    EXPECT_TRUE(parsed.fills.empty());
}

TEST(ShipSvg, ModulesOfMoreFormsThanThePaletteHolds_GetAColourEach) {
    ShipPicture ship{"Patchwork", {}, {}};
    for (int i = 0; i < 30; ++i) {
        ship.modules.push_back({{static_cast<float>(i % 6), static_cast<float>(i / 6), 0},
                                std::to_string(i + 1) + "|Parts.vmf"});
    }
    // A second module of the first form takes its colour again.
    ship.modules.push_back({{7, 7, 0}, "1|Parts.vmf"});
    const Parsed parsed = Parse(ShipSvg(ship));
    ASSERT_TRUE(parsed.wellFormed);
    ASSERT_EQ(parsed.fills.size(), 31u);
    EXPECT_EQ(std::set<std::string>(parsed.fills.begin(), parsed.fills.end()).size(), 30u);
}

}  // namespace
