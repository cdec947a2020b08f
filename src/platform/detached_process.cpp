#include "platform/detached_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace tq370 {
namespace {

// Runs in the grandchild between fork and exec: only async-signal-safe calls.
[[noreturn]] void execDetached(char* const* argv, const char* workDir, int errorPipe) {
    // A signal mask of the calling thread must not follow into the new program.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    int err = 0;
    if (chdir(workDir) != 0) {
        err = errno;
    } else {
        int devNull = open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            dup2(devNull, STDIN_FILENO);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            if (devNull > STDERR_FILENO) close(devNull);
        }
        // Sockets and files of the caller must not stay open in the new program.
        close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
        execv(argv[0], argv);
        err = errno;
    }
    // The pipe closes on a successful exec; reaching here tells the parent it failed.
    [[maybe_unused]] auto n = write(errorPipe, &err, sizeof err);
    _exit(127);
}

}  // namespace

bool startDetached(const std::vector<std::string>& argv, const std::filesystem::path& workDir) {
    if (argv.empty()) return false;
    // Everything the children use is prepared before fork: after it only
    // async-signal-safe calls are allowed in a threaded program.
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::string dir = workDir.string();

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;

    pid_t child = fork();
    if (child < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return false;
    }
    if (child == 0) {
        close(pipeFds[0]);
        setsid();
        pid_t grandchild = fork();
        if (grandchild < 0) {
            int err = errno;
            [[maybe_unused]] auto n = write(pipeFds[1], &err, sizeof err);
            _exit(127);
        }
        if (grandchild == 0) execDetached(args.data(), dir.c_str(), pipeFds[1]);
        _exit(0);
    }

    close(pipeFds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    do {
        n = read(pipeFds[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    close(pipeFds[0]);
    return n == 0;
}

}  // namespace tq370
