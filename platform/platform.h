// Operating-system services the plug-in uses. One implementation sits on the
// Win32 API (win32/), one is a small POSIX layer of ours that behaves the same
// (posix/); the Windows build, run under Wine, is the reference.
// Paths are the plug-in's own Windows-style texts (".\Data\..."); only this
// layer knows how the file system spells them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace platform {

// --- Memory regions ---------------------------------------------------------

enum class RegionState { Free, Reserved, Committed };

struct RegionInfo {
    std::uintptr_t base;
    std::uint64_t size;
    RegionState state;
};

// Protection values as the Windows API numbers them.
constexpr std::uint32_t kPageNoAccess = 0x01;
constexpr std::uint32_t kPageReadOnly = 0x02;
constexpr std::uint32_t kPageReadWrite = 0x04;
constexpr std::uint32_t kPageExecute = 0x10;
constexpr std::uint32_t kPageExecuteRead = 0x20;
constexpr std::uint32_t kPageExecuteReadWrite = 0x40;

// The memory services of the branch trampoline: the search for a block near
// the game image, and writing into code. A seam: tests hand the trampoline a
// fake region map, or code that cannot be made writable.
class MemorySystem {
public:
    virtual ~MemorySystem() = default;
    // The region that contains the address (VirtualQuery). False on failure,
    // with LastError() telling why.
    virtual bool Query(std::uintptr_t address, RegionInfo& out) = 0;
    // Reserves and commits executable read-write memory at the address
    // (VirtualAlloc with MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE; the
    // address is rounded down to the allocation granularity). Null on failure.
    virtual void* ReserveCommit(std::uintptr_t address, std::size_t size) = 0;
    // Releases a whole allocation made by ReserveCommit (MEM_RELEASE).
    virtual void Release(void* base) = 0;
    virtual std::uint32_t LastError() = 0;
    // VirtualProtect: changes the protection of the pages that hold the range
    // and reports the protection the first of them had before.
    virtual bool ChangeProtection(void* address, std::size_t size, std::uint32_t newProtection,
                                  std::uint32_t* oldProtection) = 0;
    // FlushInstructionCache for the current process: the processor runs the
    // code just written to the range, not what it fetched before. x86-64
    // keeps its caches coherent without being asked, so the POSIX layer has
    // nothing to do.
    virtual void FlushInstructionCache(const void* address, std::size_t size) = 0;
};

MemorySystem& SystemMemory();

// Whether every byte of the range is mapped and readable at the moment of
// asking (VirtualQuery: committed, neither PAGE_NOACCESS nor PAGE_GUARD, and
// a protection that allows reading). False for an empty range and for one
// that runs past the end of the address space. Pointers found in game memory
// are checked with it before anything reads through them: reading memory
// that is not there is no C++ exception, it ends the game.
bool IsReadableMemory(const void* address, std::size_t size);

// Which memory could be read when the view was taken, for checking many
// pointers in a row with one look at the process's memory: the POSIX layer
// reads the process's whole list of mappings for each IsReadableMemory
// (about 45 us), Windows asks VirtualQuery, which is cheap, for each check.
// What the view says holds as long as the memory is not unmapped meanwhile,
// as what IsReadableMemory says does.
class ReadableMemoryView {
public:
    ReadableMemoryView();
    // As IsReadableMemory.
    bool IsReadable(const void* address, std::size_t size) const;

private:
    struct Range {
        std::uintptr_t begin;
        std::uintptr_t end;
    };
    // The POSIX layer's readable memory, ascending, neighbours joined.
    std::vector<Range> readable_;
};

// --- The game's main module -------------------------------------------------------

// The address the process's main executable is mapped at
// (GetModuleHandleA(nullptr)); 0 when it cannot be found.
std::uintptr_t MainModuleBase();

// An exported symbol of the main executable, or null.
void* MainModuleSymbol(const char* name);

// --- Reports and termination -----------------------------------------------------

// MessageBoxA(nullptr, text, caption, MB_SETFOREGROUND). Without a desktop the
// POSIX layer writes the caption on one line and the text below it to
// standard error, and returns at once.
void ShowMessageBox(const char* text, const char* caption);

// TerminateProcess(GetCurrentProcess(), exitCode); never returns. Nothing
// runs on the way out: no exit handlers, no static destructors, no flushing
// of buffered output.
[[noreturn]] void TerminateCurrentProcess(std::uint32_t exitCode);

// --- A command-line program's text ------------------------------------------------

// For a program that speaks UTF-8 throughout, as the blueprint tool does: on
// Windows the console shows UTF-8 output as it is, and the file functions
// take paths in UTF-8 instead of the system's code page, for the rest of the
// process. Elsewhere, where both are UTF-8 already, it does nothing.
void UseUtf8ConsoleAndPaths();

// The program's arguments in UTF-8, its name first. Windows hands main its
// arguments in the system's code page, where a name beyond it is lost, so
// they are read again from the wide command line there; elsewhere they are
// argv as given.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// --- Clocks -------------------------------------------------------------------------

// The system clock in 100-nanosecond ticks since 1970-01-01 UTC.
std::uint64_t SystemTimeTicks();

// Local calendar time of the given seconds since 1970-01-01 UTC.
bool ToLocalTime(std::int64_t secondsSinceEpoch, std::tm& out);

// A monotonic clock in nanoseconds.
std::int64_t SteadyNanoseconds();

// --- Files --------------------------------------------------------------------------

// An open file: a file descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

enum class PathKind { NotFound, RegularFile, Directory, Other, QueryFailed };
enum class CreateResult { Created, NameTaken, Failed };
enum class MoveResult { Moved, TargetExists, Failed };

// Every file operation the plug-in and its tools make: asking what is at a
// path, writing a file safely (into a new file beside the target, then moved
// onto the target's name), reading one whole, and the INI files' profile
// calls. The one seam: tests hand commands, writers and readers a file
// system that fails at a chosen operation, fills up, or cannot answer a
// query.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The status of the entry at the path, following links.
    virtual PathKind QueryPath(const std::string& path) = 0;
    // The names of the folder's entries, without "." and "..", in no
    // particular order. False when the folder cannot be read.
    virtual bool ListFolder(const std::string& path, std::vector<std::string>& names) = 0;

    // GetPrivateProfileStringA with a buffer of `capacity` bytes: at most
    // capacity - 1 characters come back. Section and key names match without
    // regard to case or surrounding blanks; a value loses its surrounding
    // blanks and one pair of matching quotes, and keeps an inline
    // "; comment".
    virtual std::string ReadProfileString(const std::string& section, const std::string& key,
                                          const std::string& fallback, const std::string& path,
                                          std::size_t capacity) = 0;
    // WritePrivateProfileStringA: creates the file and the section as needed
    // (not the folder) and rewrites the file with CR LF line ends. Blanks
    // before the value are dropped.
    virtual bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                                    const std::string& path) = 0;

    // Creates the folder (its parent must exist). True when it was created or
    // already was a folder.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Creates the file and opens it for writing; never opens a file that
    // exists (NameTaken). `file` is set only when the result is Created.
    virtual CreateResult CreateNewFile(const std::string& path, FileHandle& file) = 0;
    // Writes all bytes; false when any could not be written (a full disk).
    virtual bool Write(FileHandle file, const void* bytes, std::size_t size) = 0;
    // Closes the file in every case; false when the system reports that
    // written data could not be stored.
    virtual bool Close(FileHandle file) = 0;
    // Gives the file the new name in one step, never replacing a file that
    // has it (MoveFileExA without MOVEFILE_REPLACE_EXISTING, POSIX
    // renameat2 RENAME_NOREPLACE or link() and unlink()).
    virtual MoveResult MoveNoReplace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;

    // Opens a file that exists for reading and writing, without creating or
    // truncating it: a read-only file does not open. Other readers and
    // writers may open the file meanwhile. `file` is set only on success.
    virtual bool OpenForUpdate(const std::string& path, FileHandle& file) = 0;
    // Opens a file that exists for reading, as OpenForUpdate shares it.
    virtual bool OpenForReading(const std::string& path, FileHandle& file) = 0;
    // Opens the file for writing at its end, creating it when it is missing,
    // so that every write lands after what is there, whoever else writes.
    // `file` is set only on success.
    virtual bool OpenForAppending(const std::string& path, FileHandle& file) = 0;
    // Reads the file from its position to its end into `bytes`, as stored.
    // False when the system reports a read error. Throws what growing the
    // string throws when the file does not fit in memory.
    virtual bool ReadWhole(FileHandle file, std::string& bytes) = 0;
};

FileSystem& SystemFiles();

}  // namespace platform
