// The order of a world file's sections: the files give forms their IDs, every
// form exists before any is filled in, and the player and the game name forms.
#include "sim/worldfile/WorldReader.h"

#include <memory>
#include <vector>

#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

WorldContents NewContents() {
    WorldContents contents;
    contents.world = std::make_unique<World>();
    return contents;
}

void CheckFormat(const Entry& format) {
    if (!format.Value().is_string() || format.String() != kWorldFormat) {
        format.Fail(std::string("must be \"") + kWorldFormat + "\"");
    }
}

WorldContents ReadWorld(const Entry& root) {
    WorldContents contents = NewContents();
    FormResolver resolver(*contents.world);
    root.AllowOnly({"format", "files", "game", "console", "player", "forms", "cells", "references", "session"});
    CheckFormat(root.Field("format"));
    ReadFiles(root.Field("files"), *contents.world);
    std::vector<PendingForm> forms = IdentifyForms(root, *contents.world);
    CreateForms(forms, resolver);
    for (PendingForm& pending : forms) FillForm(pending, resolver);
    CheckRemovedReferences(forms);
    ReadPlayer(root.Field("player"), resolver);
    ReadGame(root.Optional("game"), contents.globals, resolver);
    if (auto console = root.Optional("console")) ReadConsole(*console, contents);
    if (auto session = root.Optional("session")) ReadSession(*session);
    return contents;
}

}  // namespace

std::optional<WorldContents> ReadWorldText(std::string_view text, const std::string& sourceName,
                                           std::string& error) {
    std::string parseError;
    const auto root = ParseJsonText(text, parseError);
    if (!root) {
        error = sourceName + ": " + parseError;
        return std::nullopt;
    }
    return ReadWorldJson(*root, sourceName, error);
}

std::optional<WorldContents> ReadWorldJson(const Json& root, const std::string& sourceName, std::string& error) {
    try {
        return ReadWorld(Entry(root, ""));
    } catch (const WorldFileProblem& problem) {
        error = sourceName + ": " + (problem.path.empty() ? "" : problem.path + ": ") + problem.problem;
    } catch (const std::exception& other) {
        error = sourceName + ": " + other.what();
    }
    return std::nullopt;
}

}  // namespace sim
