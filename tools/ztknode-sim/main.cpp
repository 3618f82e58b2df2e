// ztknode-sim: a TALVO gateway node on a pseudo-terminal, for tests, training and trying a
// configuration without a node on the bench.

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>
#include <variant>

#include "FrameLog.h"
#include "Node.h"
#include "NodeLink.h"
#include "NodePty.h"
#include "Options.h"

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitSystem = 1;

int quitPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up and quits.
void onQuitSignal(int) {
    const int saved = errno;
    const char byte = 1;
    (void)!::write(quitPipe[0], &byte, 1);
    errno = saved;
}

bool installQuitSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, quitPipe) != 0)
        return false;
    struct sigaction sa{};
    sa.sa_handler = onQuitSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &sa, nullptr) == 0 && ::sigaction(SIGTERM, &sa, nullptr) == 0;
}

void fail(const QString& message) {
    std::fprintf(stderr, "ztknode-sim: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    const auto parsed = nodesim::parseOptions(app.arguments());
    if (const auto* help = std::get_if<nodesim::HelpRequested>(&parsed)) {
        std::fputs(qPrintable(help->text), stdout);
        return 0;
    }
    if (const auto* usage = std::get_if<nodesim::UsageError>(&parsed)) {
        fail(usage->message);
        return ExitUsage;
    }
    const auto& options = std::get<nodesim::Options>(parsed);

    if (!installQuitSignals()) {
        fail(QStringLiteral("cannot install the signal handlers"));
        return ExitSystem;
    }
    QString error;
    nodesim::NodePty pty;
    if (!pty.open(&error)) {
        fail(error);
        return ExitSystem;
    }
    nodesim::FrameLog log;
    if (!options.logFile.isEmpty() && !log.open(options.logFile, &error)) {
        fail(error);
        return ExitUsage;
    }
    if (!nodesim::claimLink(options.link, pty.linkTarget(), &error)) {
        fail(error);
        return ExitUsage;
    }

    nodesim::Node node(options.identity);
    for (int offset : options.flips) node.flipAfterWrites(offset);
    nodesim::NodeLink link(pty.masterFd(), node, options, log.isOpen() ? &log : nullptr);

    QSocketNotifier quit(quitPipe[1], QSocketNotifier::Read);
    QObject::connect(&quit, &QSocketNotifier::activated, &app, [&] {
        char drain[16];
        while (::read(quitPipe[1], drain, sizeof drain) > 0) {
        }
        app.quit();
    });

    std::printf("ready %s\n", qPrintable(options.link));
    std::fflush(stdout);

    app.exec();
    nodesim::releaseLink(options.link, pty.linkTarget());
    return 0;
}
