#include "Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace testsupport {

namespace {

constexpr uid_t kNobody = 65534;

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

}  // namespace

std::string asOrdinaryUser(const std::function<std::string()>& check) {
    if (::geteuid() != 0) return check();

    int fds[2];
    if (::pipe(fds) != 0) return std::string("pipe: ") + std::strerror(errno);
    const pid_t pid = ::fork();
    if (pid < 0) return std::string("fork: ") + std::strerror(errno);
    if (pid == 0) {
        ::close(fds[0]);
        std::string outcome;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0) {
            outcome = std::string("no se pudo dejar de ser root: ") + std::strerror(errno);
        } else {
            outcome = check();
        }
        // _exit: the child must not run the parent's destructors (temporary folders, ptys).
        ::_exit(writeAll(fds[1], outcome) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string outcome;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        outcome.append(buffer, std::size_t(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "el proceso sin privilegios terminó mal (estado " + std::to_string(status) + ")" +
               (outcome.empty() ? std::string() : ": " + outcome);
    return outcome;
}

}  // namespace testsupport
