// corvanis-blueprint: players' blueprint files outside the game. It reads
// them with the importers' own readers.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/ToolFiles.h"

namespace {

using namespace blueprint_tool;

// The subcommands' names, for a command line that names none of them.
std::string SubcommandNames(CLI::App& app) {
    std::string names;
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        names += (names.empty() ? "" : ", ") + command->get_name();
    }
    return names;
}

// A first argument that is no option and no command: a mistyped command.
bool IsUnknownCommand(CLI::App& app, const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments[1].starts_with("-")) return false;
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        if (command->check_name(arguments[1])) return false;
    }
    return true;
}

int Run(const std::vector<std::string>& arguments) {
    CLI::App app("Checks, describes, draws and compares Corvanis blueprint files, reading them as the game's "
                 "ImportShipLayout and ImportShipInterior read them.",
                 "corvanis-blueprint");
    app.set_version_flag("--version", std::string("corvanis-blueprint ") + CORVANIS_VERSION);
    app.require_subcommand(1);
    app.footer("Each command's --help tells its exit codes.");

    CheckOptions check;
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Lists every problem that would make ImportShipLayout or ImportShipInterior refuse the files, "
                 "with its line and the phase the game would report, and warns of lines no importer reads.");
    checkCommand->add_option("FILE", check.files, "Blueprint files")->required();
    checkCommand->add_option("--data-files", check.dataFileList,
                             "A text file naming the data files the game loads, one a line in load order; every "
                             "form from another file is a problem");
    checkCommand->add_flag("--json", check.json, "Writes the report as JSON");
    checkCommand->footer("Exit codes: 0 no problem, 1 problems, 2 a usage or file error. Warnings do not change it.");

    std::string infoFile;
    bool infoJson = false;
    CLI::App* infoCommand = app.add_subcommand(
        "info", "Shows the ship's name, export time and version, its numbers of modules, components and "
                "decoration items, its extent, and the data files it needs.");
    infoCommand->add_option("FILE", infoFile, "A blueprint file")->required();
    infoCommand->add_flag("--json", infoJson, "Writes the description as JSON");
    infoCommand->footer("Exit codes: 0 described, 2 a usage or file error.");

    std::string renderFile;
    std::string picture;
    CLI::App* renderCommand = app.add_subcommand(
        "render", "Draws the ship's modules and decoration items from the top, the side and the front into an "
                  "SVG picture.");
    renderCommand->add_option("FILE", renderFile, "A blueprint file")->required();
    renderCommand->add_option("-o,--output", picture, "The SVG file to write")->required();
    renderCommand->footer("Exit codes: 0 drawn, 2 a usage or file error.");

    std::string before;
    std::string after;
    CLI::App* diffCommand = app.add_subcommand(
        "diff", "Lists the keys that were added, removed or changed from blueprint A to blueprint B, with their "
                "values; the export time is left out.");
    diffCommand->add_option("A", before, "The first blueprint")->required();
    diffCommand->add_option("B", after, "The second blueprint")->required();
    diffCommand->footer("Exit codes: 0 the same, 1 different, 2 a usage or file error.");

    FixOptions fix;
    CLI::App* fixCommand = app.add_subcommand(
        "fix", "Writes a repaired copy of a blueprint: renames the data files its forms come from, and leaves out "
               "the decoration items and cargo entries of data files the game does not load. IN is never changed, "
               "and OUT must not exist.");
    fixCommand->add_option("IN", fix.input, "The blueprint to repair")->required();
    fixCommand->add_option("-o,--output", fix.output, "The repaired copy to write; must not exist")->required();
    fixCommand->add_option("--rename-data-file", fix.renames,
                           "OLD=NEW: every form of data file OLD (in any letter case) comes from NEW; repeatable");
    CLI::Option* dropMissing = fixCommand->add_flag(
        "--drop-missing", fix.dropMissing,
        "Leaves out the decoration items and cargo entries whose data file --data-files does not name, and numbers "
        "the rest anew; a module or another component form of such a file refuses the repair");
    fixCommand->add_option("--data-files", fix.dataFileList, "The data files the game loads, as for check")
        ->needs(dropMissing);
    fixCommand->add_flag("--json", fix.json, "Writes what was changed as JSON");
    fixCommand->footer("Exit codes: 0 the copy is written, 1 refused (the lines the ship cannot do without are "
                       "listed) and nothing written, 2 a usage or file error (OUT exists, IN cannot be read) and "
                       "nothing written.");

    ListOptions list;
    CLI::App* listCommand = app.add_subcommand(
        "list", "Lists the blueprints of a folder, newest export first: the ship, the export time, the numbers of "
                "modules and decoration items, and the data files each needs.");
    listCommand->add_option("FOLDER", list.folder,
                            "The folder; by default Data/ORBX/Plugins/Spaceships when it is under the current "
                            "folder (run from the game folder), else the current folder");
    listCommand->add_flag("--backups", list.backups, "Lists the Backups folder inside it too");
    listCommand->add_option("--data-files", list.dataFileList,
                            "The data files the game loads, as for check: says of each blueprint whether both "
                            "imports would read it whole, and which data files it misses");
    listCommand->add_flag("--json", list.json, "Writes the list as JSON");

    try {
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) argv.push_back(argument.c_str());
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForVersion& e) {
        std::cout << e.what() << "\n";
        return kExitClean;
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        if (IsUnknownCommand(app, arguments)) {
            std::cerr << "corvanis-blueprint: there is no command " << arguments[1] << "; the commands are "
                      << SubcommandNames(app) << " (corvanis-blueprint COMMAND --help tells more)\n";
        } else {
            app.exit(e);
        }
        return kExitError;
    }
    // The game finds NAME.txt for NAME: so does the tool.
    for (std::string& file : check.files) file = TypedBlueprintPath(file);
    for (std::string* file : {&infoFile, &renderFile, &before, &after}) *file = TypedBlueprintPath(*file);

    if (checkCommand->parsed()) return RunCheck(check, std::cout, std::cerr);
    if (infoCommand->parsed()) return RunInfo(infoFile, infoJson, std::cout, std::cerr);
    if (renderCommand->parsed()) return RunRender(renderFile, picture, std::cout, std::cerr);
    if (fixCommand->parsed()) return RunFix(fix, std::cout, std::cerr);
    if (listCommand->parsed()) return RunList(list, std::cout, std::cerr);
    return RunDiff(before, after, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        platform::UseUtf8ConsoleAndPaths();
        return Run(platform::CommandLineArguments(argc, argv));
    } catch (const std::exception& e) {
        std::cerr << "corvanis-blueprint: " << e.what() << "\n";
        return kExitError;
    }
}
