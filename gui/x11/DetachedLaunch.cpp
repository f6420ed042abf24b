#include "DetachedLaunch.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The program's path as execve needs it, found before forking: after the fork
// only async-signal-safe calls may run.
std::string ResolveProgram(const char* program)
{
    if (std::strchr(program, '/')) return IsExecutableFile(program) ? program : std::string();
    const char* searchPath = std::getenv("PATH");
    std::string folders = searchPath && *searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + program;
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return {};
}

// The grandchild: a session of its own, the default signal mask, none of the
// host's descriptors but the standard three and the report pipe (close-on-exec),
// through which it sends errno when execve fails.
[[noreturn]] void RunProgram(const char* path, char* const* argv, int report)
{
    setsid();
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (report > 3) close_range(3, unsigned(report - 1), 0);
    close_range(unsigned(report + 1), ~0U, 0);
    execve(path, argv, environ);
    const int error = errno;
    (void)!write(report, &error, sizeof error);
    _exit(127);
}

// The middle process only forks the program and ends at once, so the caller's
// wait is short and the program is adopted by the system, which reaps it.
bool ForkTwice(const char* path, char* const* argv, int report)
{
    const pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        const pid_t program = fork();
        if (program == 0) RunProgram(path, argv, report);
        _exit(program < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(middle, &status, 0) < 0) {
        if (errno != EINTR) return errno == ECHILD;  // a host that ignores SIGCHLD reaps nothing
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool LaunchDetached(const char* program, const char* argument)
{
    if (!program || !*program || !argument) return false;
    const std::string path = ResolveProgram(program);
    if (path.empty()) return false;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    std::string argumentCopy = argument;
    char* argv[] = {const_cast<char*>(path.c_str()), argumentCopy.data(), nullptr};
    const bool forked = ForkTwice(path.c_str(), argv, report[1]);
    close(report[1]);
    // End of file: execve succeeded and closed the pipe. A number: it failed.
    int error = 0;
    ssize_t got;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return forked && got == 0;
}
