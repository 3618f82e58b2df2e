#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

#include "Frame.h"

namespace ztklink {

// State shared by every driver control on one thread: the link settings, the frame buffers,
// the counters and the busy flag. It lives while at least one control on the thread does.
struct LinkState {
    qint16 baudios = 0;
    qint32 puertoPLC = 0;
    qint16 comm = 0;
    qint16 id = 0;
    bool modoSniffer = false;
    QString appPath;

    frame::Bytes tx{};  // last request frame; offsets 3..18 are the transmit data area
    frame::Bytes rx{};  // last frame taken in, valid or not; offsets 3..18 the receive data area
    qint64 txs = 0;
    qint64 rxs = 0;
    bool busy = false;

    static std::shared_ptr<LinkState> forThisThread();
};

}  // namespace ztklink
