#include <windows.h>

#include <thread>

#include "tests/e2e/harness/Process.h"

namespace e2e {

namespace {

// Closes the handle when the scope ends, unless it was closed before.
class Handle {
public:
    Handle() = default;
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }
    void Close() {
        if (handle_ != nullptr) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

// One pipe whose `parentEnd` stays with the harness and is not inherited.
bool OpenPipe(Handle& read, Handle& write, bool parentReads) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(read.out(), write.out(), &inherit, 0)) return false;
    return SetHandleInformation(parentReads ? read.get() : write.get(), HANDLE_FLAG_INHERIT, 0) != 0;
}

// The argument as the C runtime's command-line parser reads it back.
std::string Quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

void ReadAll(HANDLE from, std::string& into) {
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(from, buffer, sizeof buffer, &count, nullptr) && count != 0) into.append(buffer, count);
}

void WriteAll(HANDLE to, const std::string& bytes) {
    std::size_t written = 0;
    DWORD count = 0;
    while (written < bytes.size() &&
           WriteFile(to, bytes.data() + written, static_cast<DWORD>(bytes.size() - written), &count, nullptr)) {
        written += count;
    }
}

}  // namespace

ProcessResult RunProcess(const ProcessRequest& request) {
    ProcessResult result;
    Handle inputRead, inputWrite, outputRead, outputWrite, errorRead, errorWrite;
    if (!OpenPipe(inputRead, inputWrite, false) || !OpenPipe(outputRead, outputWrite, true) ||
        !OpenPipe(errorRead, errorWrite, true)) {
        result.err = "cannot create pipes: error " + std::to_string(GetLastError());
        return result;
    }

    const std::string program = request.program.string();
    std::string commandLine = Quoted(program);
    for (const std::string& argument : request.arguments) commandLine += " " + Quoted(argument);
    const std::string folder = request.workingFolder.string();

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputRead.get();
    startup.hStdOutput = outputWrite.get();
    startup.hStdError = errorWrite.get();
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.empty() ? nullptr : folder.c_str(), &startup, &process);
    const DWORD startError = GetLastError();
    inputRead.Close();
    outputWrite.Close();
    errorWrite.Close();
    if (!started) {
        result.err = "cannot start " + program + ": error " + std::to_string(startError);
        return result;
    }

    std::thread outputReader(ReadAll, outputRead.get(), std::ref(result.out));
    std::thread errorReader(ReadAll, errorRead.get(), std::ref(result.err));
    std::thread inputWriter([&inputWrite, &request] {
        WriteAll(inputWrite.get(), request.input);
        inputWrite.Close();
    });

    const auto timeout = static_cast<DWORD>(request.timeout.count());
    if (WaitForSingleObject(process.hProcess, timeout) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        result.timedOut = true;
    }
    inputWriter.join();
    outputReader.join();
    errorReader.join();

    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    result.exitCode = static_cast<int>(exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace e2e
