// Every file operation of an export, a layout import and an interior import
// failing in turn, as a full disk, a folder another program holds or a
// failing drive make them fail: first each operation of a run without
// faults, then, for each of those failures, each operation that the failed
// run does after it (the clean-up, which may fail too). After every run the
// game folder holds what it held before, or the finished blueprint, and a
// file only where removing it failed; the world is as it was, or as the
// command makes it; and the console says which.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "export/ExportShip.h"
#include "import/ImportShipInterior.h"
#include "import/ImportShipLayout.h"
#include "sim/Game.h"
#include "support/LargeShipWorld.h"
#include "support/ReferencesTakenBack.h"
#include "support/ScratchFolder.h"
#include "tests/support/ExportedBlueprint.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/InProcessGame.h"

namespace {

using corvanis_test::FailingFileSystem;
using corvanis_test::FileOperation;
using corvanis_test::OperationRecord;
using Files = std::map<std::string, std::string>;
using Lines = std::vector<std::string>;

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Two runs of a command differ in the time of day: a backup's name and a
// blueprint's export time hold it.
std::string WithoutTimes(const std::string& text) {
    static const std::regex backupTime(R"(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d)");
    static const std::regex exportTime(R"(Export time: [^\r\n]*)");
    return std::regex_replace(std::regex_replace(text, exportTime, "Export time: <time>"), backupTime, "<time>");
}

// The lines without the times, and without the addresses of game objects
// in form descriptions, which the world has anew for each run.
Lines WithoutTimes(Lines lines) {
    static const std::regex address(R"(\[([0-9A-F]{8}) \| [0-9A-F]+ \|)");
    for (std::string& line : lines) line = std::regex_replace(WithoutTimes(line), address, "[$1 | <address> |");
    return lines;
}

Files WithoutTimes(const Files& files) {
    Files masked;
    for (const auto& [name, bytes] : files) masked[WithoutTimes(name)] = WithoutTimes(bytes);
    return masked;
}

// The names of the entries that differ, for a message a person can read.
Lines DifferentEntries(const Files& found, const Files& expected) {
    Lines names;
    for (const auto& [name, bytes] : found) {
        const auto other = expected.find(name);
        if (other == expected.end()) names.push_back("+" + name);
        else if (other->second != bytes) names.push_back("~" + name);
    }
    for (const auto& entry : expected) {
        if (found.count(entry.first) == 0) names.push_back("-" + entry.first);
    }
    return names;
}

// A folder the command made for its files may stay, empty: it holds nothing
// of the command's, and it is where the next command's files go.
void DropNewEmptyFolders(Files& files, const Files& before) {
    std::erase_if(files, [&](const auto& entry) {
        const auto& [name, bytes] = entry;
        if (bytes != "<folder>" || before.count(name) != 0) return false;
        return std::none_of(files.begin(), files.end(),
                            [&](const auto& inner) { return inner.first.starts_with(name + "/"); });
    });
}

// Closing a file that was only read loses nothing: the command has what it
// read, and the file is as it was.
bool IsHarmless(const OperationRecord& record) {
    return record.operation == FileOperation::Close &&
           (record.openedBy == FileOperation::OpenForReading || record.openedBy == FileOperation::OpenForUpdate);
}

std::string Describe(const std::set<int>& failing) {
    std::string text = "failing operation";
    for (const int number : failing) text += " " + std::to_string(number);
    return text;
}

// One command, run on its world and its files as they are before it.
struct Command {
    // The first line of a run without faults.
    std::string firstLine;
    std::string failureLine;
    // Loads the world and writes the blueprint the command reads.
    std::function<void(const dev_support::ScratchFolder&)> prepare;
    std::function<bool(const dev_support::ScratchFolder&, platform::FileSystem&)> run;
    // The second failure line for the first operation that fails; "*" in
    // place of a phase stands for any section's.
    std::function<std::string(FileOperation)> phaseLine;
    // The dump after a run without faults differs from the one before it
    // even when the command fails after placing items: the references it
    // placed and took back leave empty places in the cell's list, and the
    // game's run-time form IDs have moved on.
    bool changesTheWorld = true;
};

struct Outcome {
    bool succeeded = false;
    Lines console;
    std::string dump;
    Files files;
    std::vector<OperationRecord> log;
};

class FileFaults : public testing::Test {
protected:
    Outcome Run(const Command& command, const std::set<int>& failing, bool queriesFail = false) {
        folder.Empty();
        command.prepare(folder);
        console.Take();
        before = {false, {}, sim::DumpWorldToText(), folder.Contents(), {}};
        FailingFileSystem files;
        for (const int number : failing) files.FailOperation(number);
        if (queriesFail) files.FailQueries();
        Outcome outcome;
        outcome.succeeded = command.run(folder, files);
        outcome.console = console.Take();
        outcome.dump = sim::DumpWorldToText();
        outcome.files = folder.Contents();
        outcome.log = files.Log();
        return outcome;
    }

    // What a run with these faults must leave. Closing a file that was only
    // read, or removing one, may fail without the command failing: the
    // command's whole work is done, and a file that could not be removed
    // stays. Any other fault ends the command, which leaves nothing of its
    // work, but again a file that could not be removed.
    void ExpectHandled(const Command& command, const Outcome& outcome, const Outcome& unfailed,
                       const std::set<int>& failing) {
        SCOPED_TRACE(Describe(failing));
        std::vector<OperationRecord> failed;
        std::set<std::string> notRemoved;
        for (const OperationRecord& record : outcome.log) {
            if (!record.failed) continue;
            failed.push_back(record);
            if (record.operation == FileOperation::Remove) notRemoved.insert(NameInFolder(record.path));
        }
        ASSERT_EQ(failed.size(), failing.size()) << "each fault is met once";
        const auto essential = std::find_if(failed.begin(), failed.end(), [](const OperationRecord& record) {
            return !IsHarmless(record) && record.operation != FileOperation::Remove;
        });
        Files left = outcome.files;
        std::erase_if(left, [&](const auto& entry) { return notRemoved.count(entry.first) != 0; });
        if (essential == failed.end()) {
            EXPECT_EQ(outcome.succeeded, unfailed.succeeded);
            EXPECT_EQ(WithoutTimes(outcome.console), WithoutTimes(unfailed.console));
            EXPECT_TRUE(outcome.dump == unfailed.dump);
            EXPECT_EQ(DifferentEntries(WithoutTimes(left), WithoutTimes(unfailed.files)), Lines{});
            return;
        }
        EXPECT_FALSE(outcome.succeeded);
        // The failure, where it stopped, and why in a player's words.
        ASSERT_EQ(outcome.console.size(), 3u);
        EXPECT_EQ(outcome.console[0], command.failureLine);
        const std::string expected = command.phaseLine(essential->operation);
        if (const std::size_t any = expected.find('*'); any != std::string::npos) {
            EXPECT_TRUE(outcome.console[1].starts_with(expected.substr(0, any) + "exporting ") &&
                        outcome.console[1].ends_with(expected.substr(any + 1)))
                << outcome.console[1];
        } else {
            EXPECT_EQ(outcome.console[1], expected);
        }
        // Items placed before the fault are taken back again.
        int takenBack = 0;
        EXPECT_TRUE(dev_support::WithoutReferencesTakenBack(sim::Json::parse(outcome.dump),
                                                            sim::Json::parse(before.dump), takenBack) ==
                    dev_support::WithoutNextRuntimeFormID(sim::Json::parse(before.dump)))
            << "the world changed";
        DropNewEmptyFolders(left, before.files);
        EXPECT_EQ(DifferentEntries(left, before.files), Lines{});
    }

    // A path the plug-in gave, as a name in the folder.
    std::string NameInFolder(const std::string& path) const {
        std::string name = path.substr(folder.PluginPath().size());
        std::replace(name.begin(), name.end(), '\\', '/');
        return name;
    }

    struct Coverage {
        int faults = 0;
        int doubleFaults = 0;
    };

    // A system that cannot tell what is at a path: the command may not take
    // that for a free name or a file that is there.
    void ExpectQueryFailuresHandled(const Command& command) {
        SCOPED_TRACE("every query failing");
        const Outcome outcome = Run(command, {}, true);
        EXPECT_FALSE(outcome.succeeded);
        ASSERT_FALSE(outcome.console.empty());
        EXPECT_NE(outcome.console[0], command.firstLine);
        EXPECT_TRUE(outcome.dump == before.dump) << "the world changed";
        Files left = outcome.files;
        DropNewEmptyFolders(left, before.files);
        EXPECT_EQ(DifferentEntries(left, before.files), Lines{});
    }

    // Fails each operation of a run that succeeds, and with each, each later
    // operation of the failed run; then every query.
    Coverage ExpectEveryFaultHandled(const Command& command, const std::vector<FileOperation>& operations) {
        const Outcome unfailed = Run(command, {});
        EXPECT_EQ(unfailed.console.at(0), command.firstLine);
        EXPECT_EQ(unfailed.dump != before.dump, command.changesTheWorld);
        std::vector<FileOperation> counted;
        for (const OperationRecord& record : unfailed.log) counted.push_back(record.operation);
        EXPECT_EQ(counted, operations) << "the operations of a run without faults";

        Coverage coverage;
        for (int first = 1; first <= static_cast<int>(unfailed.log.size()); ++first) {
            const Outcome outcome = Run(command, {first});
            ExpectHandled(command, outcome, unfailed, {first});
            ++coverage.faults;
            for (int second = first + 1; second <= static_cast<int>(outcome.log.size()); ++second) {
                ExpectHandled(command, Run(command, {first, second}), unfailed, {first, second});
                ++coverage.doubleFaults;
            }
        }
        ExpectQueryFailuresHandled(command);
        return coverage;
    }

    dev_support::ScratchFolder folder;
    corvanis_test::ConsoleLines console;
    Outcome before;
};

std::string PhaseLine(const std::string& phase, const std::string& text) {
    return "[Error in phase: " + phase + " | Extra error text: " + text + "]";
}

// The texts of a blueprint that could not be written, in the phase of the
// step that failed: opening it, writing a piece of it, closing or moving it.
std::string WriteFailure(const std::string& openPhase, const std::string& writePhase, const std::string& finishPhase,
                         FileOperation operation) {
    switch (operation) {
        case FileOperation::CreateFolder:
        case FileOperation::CreateNewFile:
            return PhaseLine(openPhase, "Blueprint write error: !log.is_open()");
        case FileOperation::Write:
            return PhaseLine(writePhase, "Blueprint write error: log.bad()");
        default:
            return PhaseLine(finishPhase, "Blueprint write error: log.fail()");
    }
}

// The texts of a blueprint that could not be read, else of a backup that
// could not be written.
std::string ReadOrBackupFailure(const std::string& readPhase, const std::string& backupPhase,
                                FileOperation operation) {
    switch (operation) {
        case FileOperation::OpenForUpdate:
            return PhaseLine(readPhase, "Bleuprint read error: !inputstream.is_open()");
        case FileOperation::OpenForReading:
            return PhaseLine(readPhase, "Bleuprint read error: !file.is_open()");
        case FileOperation::Read:
            return PhaseLine(readPhase, "Bleuprint read error: file.bad()");
        default:
            return WriteFailure(backupPhase, backupPhase, backupPhase, operation);
    }
}

void PrepareSecondPlaythrough(const dev_support::ScratchFolder& folder, bool aboard) {
    static const std::string world = ReadWhole(CORVANIS_EXAMPLE_WORLDS "/second-playthrough.json");
    folder.WriteFile("Pathfinder.txt", corvanis_test::PathfinderBlueprint());
    corvanis_test::LoadWorld(world);
    if (aboard) sim::RunConsoleLine("sim.board @Kestrel");
}

// The Pathfinder's blueprint with one more item, whose base the game refuses
// to place, in a second playthrough that has that base.
void PrepareRefusedPlacement(const dev_support::ScratchFolder& folder) {
    static const std::string world = [] {
        std::string text = ReadWhole(CORVANIS_EXAMPLE_WORLDS "/second-playthrough.json");
        const std::string forms = "\"forms\": [\n";
        text.insert(text.find(forms) + forms.size(),
                    R"(    {"id": "Veltrane.vmf:0A3FFF", "type": 40, "editorID": "Relic", "placement": "refused"},)"
                    "\n");
        return text;
    }();
    folder.WriteFile("Pathfinder.txt", corvanis_test::PathfinderBlueprint() + "DecorItem[15].base |0A3FFF|Veltrane.vmf\r\n");
    corvanis_test::LoadWorld(world);
    sim::RunConsoleLine("sim.board @Kestrel");
}

using Op = FileOperation;

// A large ship's blueprint goes to the disk in pieces, each of which may
// fail: the first, one between, and the last. The Spaceships folder is made
// first.
TEST_F(FileFaults, EveryOperationOfAnExportFailing_LeavesNoFileAndTheWorldAsItWas) {
    static const std::string world = dev_support::LargeShipWorld({.modules = 100, .decorationItems = 1000});
    const Command exportShip{
        "ExportShipRef: INFO: ship exported.",
        "ExportShipRef: ERROR: ship couldn't be exported.",
        [](const dev_support::ScratchFolder&) { corvanis_test::LoadWorld(world); },
        [](const dev_support::ScratchFolder& folder, platform::FileSystem& files) {
            return Corvanis::RunExportShip({"Large Ship", Corvanis::kDefaultSettings},
                                           folder.PluginPath() + "Spaceships\\", files);
        },
        [](FileOperation operation) {
            // A piece fails in the section it ends in.
            return WriteFailure("preparing to export ship", "*", "exporting DecorItems", operation);
        },
        false,
    };
    std::vector<FileOperation> operations{Op::CreateFolder, Op::CreateNewFile};
    operations.insert(operations.end(), 3, Op::Write);
    operations.insert(operations.end(), {Op::Close, Op::Move});
    const Coverage coverage = ExpectEveryFaultHandled(exportShip, operations);
    EXPECT_EQ(coverage.faults, 7);
    EXPECT_EQ(coverage.doubleFaults, 9);
}

TEST_F(FileFaults, EveryOperationOfALayoutImportWithItsBackupFailing_LeavesTheHomeShipAndTheFolderAsTheyWere) {
    const Command importLayout{
        "ImportShipLayout: INFO: ship layout successfully imported. Please modify the imported ship at a Ship "
        "Services Technician before flying it (any kind of modification will do). Fly it manually first (i.e. not "
        "with Fast Travel).",
        "ImportShipLayout: ERROR: ship layout couldn't be imported.",
        [](const dev_support::ScratchFolder& folder) { PrepareSecondPlaythrough(folder, false); },
        [](const dev_support::ScratchFolder& folder, platform::FileSystem& files) {
            return Corvanis::RunImportShipLayout({"Pathfinder", Corvanis::kDefaultSettings}, folder.PluginPath(),
                                                 files);
        },
        [](FileOperation operation) {
            return ReadOrBackupFailure("preparing to import layout", "backing up the home ship", operation);
        },
    };
    const Coverage coverage = ExpectEveryFaultHandled(
        importLayout, {Op::OpenForUpdate, Op::OpenForReading, Op::Read, Op::Close, Op::CreateFolder,
                       Op::CreateNewFile, Op::Write, Op::Close, Op::Move, Op::Close});
    EXPECT_EQ(coverage.faults, 10);
    EXPECT_EQ(coverage.doubleFaults, 19);
}

TEST_F(FileFaults, EveryOperationOfAnInteriorImportWithItsBackupFailing_LeavesTheInteriorAndTheFolderAsTheyWere) {
    const Command importInterior{
        "ImportShipInterior: INFO: ship interior successfully imported.",
        "ImportShipInterior: ERROR: ship interior couldn't be imported.",
        [](const dev_support::ScratchFolder& folder) { PrepareSecondPlaythrough(folder, true); },
        [](const dev_support::ScratchFolder& folder, platform::FileSystem& files) {
            return Corvanis::RunImportShipInterior({"Pathfinder", Corvanis::kDefaultSettings}, folder.PluginPath(),
                                                   files);
        },
        [](FileOperation operation) {
            return ReadOrBackupFailure("preparing to import ship interior", "backing up the ship interior",
                                       operation);
        },
    };
    const Coverage coverage = ExpectEveryFaultHandled(
        importInterior, {Op::OpenForUpdate, Op::OpenForReading, Op::Read, Op::Close, Op::CreateFolder,
                         Op::CreateNewFile, Op::Write, Op::Close, Op::Move, Op::Close});
    EXPECT_EQ(coverage.faults, 10);
    EXPECT_EQ(coverage.doubleFaults, 19);
}

// The backup is written once every item stands, with what the import placed;
// when one cannot be placed, the import takes back what it placed and writes
// no backup.
TEST_F(FileFaults, EveryOperationOfAnInteriorImportWhosePlacementFails_LeavesTheFolderAsItWas) {
    const Command importInterior{
        "ImportShipInterior: ERROR: ship interior couldn't be imported.",
        "ImportShipInterior: ERROR: ship interior couldn't be imported.",
        PrepareRefusedPlacement,
        [](const dev_support::ScratchFolder& folder, platform::FileSystem& files) {
            return Corvanis::RunImportShipInterior({"Pathfinder", Corvanis::kDefaultSettings}, folder.PluginPath(),
                                                   files);
        },
        [](FileOperation operation) {
            return ReadOrBackupFailure("preparing to import ship interior", "backing up the ship interior",
                                       operation);
        },
    };
    const Coverage coverage = ExpectEveryFaultHandled(
        importInterior, {Op::OpenForUpdate, Op::OpenForReading, Op::Read, Op::Close, Op::Close});
    EXPECT_EQ(coverage.faults, 5);
    EXPECT_EQ(coverage.doubleFaults, 4);
}

}  // namespace
