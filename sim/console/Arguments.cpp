#include "sim/console/Arguments.h"

#include <cstring>
#include <iterator>

#include "host/layouts/CommandTables.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/ScriptCall.h"

namespace sim {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<std::vector<std::string>> SplitArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) return arguments;
        std::string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            if (text[i] == '"') {
                quoted = !quoted;
            } else {
                argument += text[i];
            }
            ++i;
        }
        if (quoted) return std::nullopt;
        arguments.push_back(std::move(argument));
    }
}

bool ExtractParameters(void* parameters, void* scriptData, void* opcodeOffset, void* thisObject,
                       void* containingObject, void* script, void* locals, char* textOut) {
    const ScriptCall* call = AsScriptCall(scriptData);
    if (call == nullptr || textOut == nullptr) return false;
    const void* const handed[] = {thisObject, containingObject, script, locals};
    for (std::size_t at = 0; at < std::size(handed); ++at) {
        if (handed[at] != &call->handlerObjects[at]) {
            ReportGameError("the parameter extractor was handed the handler's values out of their places");
            return false;
        }
    }
    if (opcodeOffset != call->opcodeOffset) {
        ReportGameError("the parameter extractor was handed another opcode offset than the handler's");
        return false;
    }
    const auto* definitions = static_cast<const veltrane::ParameterDefinition*>(parameters);
    const std::uint16_t count = call->entry->parameterCount;
    if (count > 0 && definitions == nullptr) return false;

    const auto arguments = SplitArguments(call->arguments);
    if (!arguments || arguments->size() > count) return false;

    bool textWritten = false;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (definitions[i].typeCode != 0 || textWritten) return false;
        textWritten = true;
        const std::string text = i < arguments->size() ? (*arguments)[i] : std::string();
        if (text.size() >= veltrane::kParameterTextCapacity) return false;
        std::memcpy(textOut, text.c_str(), text.size() + 1);
    }
    return true;
}

}  // namespace sim
