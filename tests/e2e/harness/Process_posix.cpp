#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tests/e2e/harness/Process.h"

extern char** environ;

namespace e2e {

namespace {

// Closes the descriptor when the scope ends, unless it was closed before.
class Descriptor {
public:
    Descriptor() = default;
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

struct Pipe {
    Descriptor read;
    Descriptor write;
};

bool OpenPipe(Pipe& pipe) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    pipe.read.Reset(fds[0]);
    pipe.write.Reset(fds[1]);
    return true;
}

int ExitCodeOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

ProcessResult Failure(const std::string& what, int error) {
    ProcessResult result;
    result.err = what + ": " + std::strerror(error);
    return result;
}

}  // namespace

ProcessResult RunProcess(const ProcessRequest& request) {
    // A child that ends without reading all its input must not end the tests.
    signal(SIGPIPE, SIG_IGN);

    Pipe input, output, error;
    if (!OpenPipe(input) || !OpenPipe(output) || !OpenPipe(error)) return Failure("pipe", errno);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input.read.get(), 0);
    posix_spawn_file_actions_adddup2(&actions, output.write.get(), 1);
    posix_spawn_file_actions_adddup2(&actions, error.write.get(), 2);
    if (!request.workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, request.workingFolder.c_str());
    }

    const std::string program = request.program.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : request.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return Failure("cannot start " + program, spawned);
    input.read.Close();
    output.write.Close();
    error.write.Close();

    ProcessResult result;
    fcntl(input.write.get(), F_SETFL, O_NONBLOCK);
    std::size_t written = 0;
    if (request.input.empty()) input.write.Close();

    const auto deadline = std::chrono::steady_clock::now() + request.timeout;
    while (output.read.get() >= 0 || error.read.get() >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(child, SIGKILL);
            result.timedOut = true;
            break;
        }
        pollfd fds[3] = {{output.read.get(), POLLIN, 0}, {error.read.get(), POLLIN, 0},
                         {input.write.get(), POLLOUT, 0}};
        if (poll(fds, 3, static_cast<int>(left.count())) < 0) {
            if (errno == EINTR) continue;
            kill(child, SIGKILL);
            break;
        }
        char buffer[4096];
        const auto drain = [&buffer](const pollfd& fd, Descriptor& from, std::string& into) {
            if (fd.revents == 0) return;
            const ssize_t count = read(from.get(), buffer, sizeof buffer);
            if (count > 0) {
                into.append(buffer, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                from.Close();
            }
        };
        drain(fds[0], output.read, result.out);
        drain(fds[1], error.read, result.err);
        if (fds[2].revents != 0) {
            const ssize_t count = write(input.write.get(), request.input.data() + written,
                                        request.input.size() - written);
            if (count > 0) written += static_cast<std::size_t>(count);
            if ((count < 0 && errno != EAGAIN && errno != EINTR) || written == request.input.size()) {
                input.write.Close();
            }
        }
    }
    input.write.Close();

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = ExitCodeOf(status);
    return result;
}

}  // namespace e2e
