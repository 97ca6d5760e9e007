// A command run as the game's console runs it: the shared preamble, then the
// command's work, and a failure line of its own when the work throws.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "export/ExportShip.h"
#include "frame/commands/CommandExecution.h"
#include "host/layouts/CommandTables.h"
#include "import/ImportShipInterior.h"
#include "import/ImportShipLayout.h"
#include "sim/console/ScriptCall.h"
#include "tests/support/InProcessGame.h"

namespace {

using Lines = std::vector<std::string>;

// The arguments the game's console hands a command's handler for a line
// with the text after the command word.
class ConsoleCall {
public:
    explicit ConsoleCall(const std::string& argumentText) {
        entry_.parameterCount = 1;
        entry_.parameters = &definition_;
        call_.entry = &entry_;
        call_.arguments = argumentText;
        call_.opcodeOffset = &opcodeOffset_;
    }

    Corvanis::CommandArguments Arguments() {
        std::uint8_t* objects = call_.handlerObjects;
        return {&definition_, &call_, &objects[0], &objects[1], &objects[2], &objects[3], &result_, &opcodeOffset_};
    }

private:
    double result_ = 0;
    std::uint32_t opcodeOffset_ = 0;
    veltrane::ParameterDefinition definition_{"asBlueprintName", 0, 0};
    veltrane::CommandEntry entry_{};
    sim::ScriptCall call_;
};

bool Throw(const Corvanis::CommandInput&) { throw std::runtime_error("out of memory"); }

TEST(CommandExecution, EachCommandWhoseWorkThrows_PrintsItsFailureLineAndEndsFalse) {
    corvanis_test::ConsoleLines console;
    const struct {
        const Corvanis::CommandWork& work;
        const char* line;
    } commands[] = {
        {Corvanis::kExportShipWork, "ExportShipRef: ERROR: ship couldn't be exported."},
        {Corvanis::kImportShipLayoutWork, "ImportShipLayout: ERROR: ship layout couldn't be imported."},
        {Corvanis::kImportShipInteriorWork, "ImportShipInterior: ERROR: ship interior couldn't be imported."},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.work.messagePrefix);
        Corvanis::CommandWork throwing = command.work;
        throwing.run = &Throw;
        ConsoleCall call("Ship");

        EXPECT_FALSE(Corvanis::ExecuteCommand(throwing, call.Arguments()));
        EXPECT_EQ(console.Take(), Lines{command.line});
    }
}

}  // namespace
