#include "tests/support/ChildProcess.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace corvanis_test {

namespace {

std::string ReadAndRemove(const std::string& path) {
    std::string text;
    {
        // Text mode: the Windows runtime writes a line break as CR LF.
        std::ifstream file(path);
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    std::remove(path.c_str());
    return text;
}

std::string OutputFile(const char* stream) {
    static int serial = 0;
    std::ostringstream name;
    name << TestBinaryFolder() << "probe_" << stream << "_" << ++serial << ".txt";
    return name.str();
}

#if defined(_WIN32)

constexpr char kSeparator = '\\';
const char* const kProgramSuffix = ".exe";

HANDLE InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &attributes, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

int RunAndWait(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& outPath, const std::string& errPath) {
    std::string commandLine = "\"" + program + "\"";
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    HANDLE out = InheritableFile(outPath);
    HANDLE err = InheritableFile(errPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    int exitCode = -1;
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        exitCode = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    return exitCode;
}

#else

constexpr char kSeparator = '/';
const char* const kProgramSuffix = "";

int RunAndWait(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& outPath, const std::string& errPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#endif

}  // namespace

std::string TestBinaryFolder() {
#if defined(_WIN32)
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
#else
    char path[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self(path, length > 0 ? static_cast<std::size_t>(length) : 0);
#endif
    return self.substr(0, self.find_last_of(kSeparator) + 1);
}

std::string PluginModulePath() {
    std::string relative = CORVANIS_MODULE_FROM_TESTS;
    for (char& c : relative) {
        if (c == '/') c = kSeparator;
    }
    return TestBinaryFolder() + relative;
}

ChildResult RunProbe(const char* probe, const std::vector<std::string>& arguments) {
    const std::string outPath = OutputFile("out");
    const std::string errPath = OutputFile("err");
    ChildResult result;
    result.exitCode = RunAndWait(TestBinaryFolder() + probe + kProgramSuffix, arguments, outPath, errPath);
    result.standardOutput = ReadAndRemove(outPath);
    result.standardError = ReadAndRemove(errPath);
    return result;
}

}  // namespace corvanis_test
