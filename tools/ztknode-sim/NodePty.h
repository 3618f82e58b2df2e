#pragma once

#include <QString>

namespace nodesim {

// The node's pseudo-terminal. The simulator keeps its own handle on the slave side, in raw
// mode from the start: the master then never sees a hang-up when a client closes the device,
// and a client that opens it finds no echo or line editing in the way.
class NodePty {
public:
    NodePty() = default;
    ~NodePty();
    NodePty(const NodePty&) = delete;
    NodePty& operator=(const NodePty&) = delete;

    bool open(QString* error);
    int masterFd() const { return master_; }  // non-blocking
    QString slavePath() const { return slavePath_; }
    // The slave side through this process's own handle on it ("/proc/PID/fd/N"): what the
    // link points at. It opens the terminal while the simulator lives and nothing once it is
    // gone, even after the terminal's number went to another program (the next terminal
    // anybody opens gets it), so a link left by a killed simulator never leads there.
    QString linkTarget() const;

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

// Makes `link` a symbolic link to `target`. An existing `link` is replaced only when it is a
// stale link of an earlier simulator: into /proc or /dev/pts, and no other running simulator
// was started on it (the one that made it was killed). Anything else is refused with a reason
// in `error`.
bool claimLink(const QString& link, const QString& target, QString* error);

// Removes `link` if it still points to `target` (someone may have replaced it since).
void releaseLink(const QString& link, const QString& target);

}  // namespace nodesim
